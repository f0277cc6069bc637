# The engine's folders depend in one direction: a folder of src/core may include the folders of
# lower tiers only, never one of its own tier or above. Checked when the build is configured
# (an include against the order stops it) and by the test Layers.IncludesGoDownOnly, which runs
# this file as a script: cmake -DZIRTEL_CORE_DIR=<src/core> -P cmake/CoreLayers.cmake
#
# From the bottom up: text and the seeded randomness; feedback (how the engine reaches the user);
# the string grid; the fields (the measures' interface: values, their formats, the context); the
# lexicons and data-file readers; phonology (pronunciations, syllables, biphones); the
# orthographic neighbours and the other measures, beside each other; the analysis (the workspace,
# the results, the outputs); the pseudoword generator and the stimulus selector.
if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

set(ZIRTEL_CORE_TIERS
    "text random"
    "feedback"
    "grid"
    "fields"
    "lexicon"
    "phonology"
    "neighbours measures"
    "analysis"
    "generator selection")

function(zirtel_check_core_layers core_dir)
    set(tier 0)
    set(known "")
    foreach(folders IN LISTS ZIRTEL_CORE_TIERS)
        string(REPLACE " " ";" folders "${folders}")
        foreach(folder IN LISTS folders)
            set(tier_of_${folder} ${tier})
            list(APPEND known ${folder})
        endforeach()
        math(EXPR tier "${tier} + 1")
    endforeach()

    set(problems "")
    file(GLOB children RELATIVE "${core_dir}" "${core_dir}/*")
    foreach(folder IN LISTS children)
        if(NOT IS_DIRECTORY "${core_dir}/${folder}")
            continue()
        endif()
        if(NOT folder IN_LIST known)
            string(APPEND problems "\n  src/core/${folder} has no tier in cmake/CoreLayers.cmake")
            continue()
        endif()
        file(GLOB_RECURSE files "${core_dir}/${folder}/*.h" "${core_dir}/${folder}/*.cpp"
             "${core_dir}/${folder}/*.def")
        foreach(f IN LISTS files)
            file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]core/[A-Za-z0-9_]+/")
            foreach(line IN LISTS lines)
                string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]core/([A-Za-z0-9_]+)/.*" "\\1"
                       target "${line}")
                if(target STREQUAL folder)
                    continue()
                endif()
                file(RELATIVE_PATH shown "${core_dir}/.." "${f}")
                if(NOT target IN_LIST known)
                    string(APPEND problems "\n  src/${shown} includes core/${target}, no folder of the engine")
                elseif(NOT tier_of_${target} LESS tier_of_${folder})
                    string(APPEND problems "\n  src/${shown} includes core/${target}, which is not below core/${folder}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(problems)
        message(FATAL_ERROR "The engine's folders include only the folders below them "
                            "(cmake/CoreLayers.cmake):${problems}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED ZIRTEL_CORE_DIR)
    zirtel_check_core_layers("${ZIRTEL_CORE_DIR}")
endif()
