// zirtel-build-data --counts FILE --out DIR [options], or --neighbourhoods DIR: see kUsage.
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/neighbours/known_neighbourhoods.h"
#include "core/text/text_file.h"
#include "data_builder.h"
#include "neighbourhood_file.h"

namespace {

constexpr std::string_view kUsage =
    "usage: zirtel-build-data --counts FILE --out DIR [--dictionary PATH] [--analyser PATH]\n"
    "                         [--lt-proc PATH] [--analyses FILE]\n"
    "       zirtel-build-data --neighbourhoods DIR\n"
    "  --counts      word-count list, one \"form count\" per line (UTF-8)\n"
    "  --out         folder for nwfreq_EUS.txt, lemak_EUS2.txt, formak_EUS.txt, jatorria_EUS.txt,\n"
    "                itzulpenak_EUS.txt, ZR_BF*.txt, ZR_BPF*.txt, lev20_EUS.txt (and the Spanish\n"
    "                files)\n"
    "  --neighbourhoods  writes only lev20_EUS.txt of the folder, from its other files\n"
    "  --dictionary  Hunspell dictionary without extension (default /usr/share/hunspell/eu)\n"
    "  --analyser    Basque analyser transducer (default: eu-es.automorf.bin under\n"
    "                /usr/share/apertium)\n"
    "  --lt-proc     the lt-proc program (default: lt-proc on the PATH)\n"
    "  --analyses    the analyser's output saved in a file, one \"^form/analysis...$\" a line,\n"
    "                read instead of running lt-proc (forms not in it are unknown)\n"
    "  --bilingual   Basque-Spanish dictionary (default: eu-es.autobil.bin beside the analyser)\n"
    "  --translations  the bilingual dictionary's output saved in a file, one\n"
    "                \"^lemma<tag>/translation...$\" a line, read instead of running lt-proc\n"
    "  --english, --french, --spanish  word lists, one word a line (default: those of\n"
    "                wamerican, wfrench and wspanish in /usr/share/dict, when installed)\n"
    "  --names       first names: Text/Names.pm of libtext-names-perl (the default, when\n"
    "                installed) or one name a line\n"
    "  --spanish-counts  the Spanish subtitles' word counts, one \"form count\" a line; given,\n"
    "                es_EUS.txt and es_lemak_EUS.txt are written too\n"
    "  --spanish-dictionary  Spanish Hunspell dictionary without extension (default\n"
    "                /usr/share/hunspell/es_ES)\n"
    "  --spanish-analyser  Spanish analyser transducer (default: es-eu.automorf.bin beside\n"
    "                the Basque analyser)\n"
    "  --spanish-analyses  the Spanish analyser's output saved in a file, read instead\n"
    "                of running lt-proc\n"
    "  --previous    a folder with an earlier build's files, compared in the report\n"
    "  --espeak      the espeak-ng program, for the agreement in the report\n"
    "  A list option given as \"\" leaves that list out.\n";

// The default of a list: the file when it is installed, else none.
std::filesystem::path IfInstalled(const std::filesystem::path& path) {
    return std::filesystem::exists(path) ? path : std::filesystem::path();
}

std::filesystem::path FindAnalyser() {
    const std::filesystem::path usual = "/usr/share/apertium/apertium-eu-es/eu-es.automorf.bin";
    if (std::filesystem::exists(usual)) return usual;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it("/usr/share/apertium", ec), end;
         !ec && it != end; it.increment(ec))
        if (it->path().filename() == "eu-es.automorf.bin") return it->path();
    return usual;
}

} // namespace

int main(int argc, char** argv) {
    zirtel::tools::BuildOptions options;
    options.Dictionary = "/usr/share/hunspell/eu";
    options.SpanishDictionary = "/usr/share/hunspell/es_ES";
    options.Lists.English = IfInstalled("/usr/share/dict/american-english");
    options.Lists.French = IfInstalled("/usr/share/dict/french");
    options.Lists.Spanish = IfInstalled("/usr/share/dict/spanish");
    options.Lists.Names = IfInstalled("/usr/share/perl5/Text/Names.pm");
    bool analyserGiven = false, bilingualGiven = false, spanishAnalyserGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc) {
            std::cerr << "zirtel-build-data: " << arg << " needs a value\n" << kUsage;
            return 2;
        }
        const std::string value = argv[++i];
        if (arg == "--neighbourhoods") {
            try {
                const std::filesystem::path folder = value;
                const std::string text = zirtel::tools::NeighbourhoodFileText(folder, std::cout);
                if (!zirtel::WriteFileAtomically(folder / zirtel::kNeighbourhoodFile, text))
                    throw std::runtime_error("cannot write " +
                                             (folder / zirtel::kNeighbourhoodFile).string());
            } catch (const std::exception& e) {
                std::cerr << "zirtel-build-data: " << e.what() << "\n";
                return 1;
            }
            return 0;
        }
        if (arg == "--counts") {
            options.Counts = value;
        } else if (arg == "--out") {
            options.OutFolder = value;
        } else if (arg == "--dictionary") {
            options.Dictionary = value;
        } else if (arg == "--analyser") {
            options.Analyser = value;
            analyserGiven = true;
        } else if (arg == "--analyses") {
            options.Analyses = value;
        } else if (arg == "--lt-proc") {
            options.LtProc = value;
        } else if (arg == "--bilingual") {
            options.Bilingual = value;
            bilingualGiven = true;
        } else if (arg == "--translations") {
            options.Translations = value;
        } else if (arg == "--english") {
            options.Lists.English = value;
        } else if (arg == "--french") {
            options.Lists.French = value;
        } else if (arg == "--spanish") {
            options.Lists.Spanish = value;
        } else if (arg == "--names") {
            options.Lists.Names = value;
        } else if (arg == "--spanish-counts") {
            options.Lists.SpanishCounts = value;
        } else if (arg == "--spanish-dictionary") {
            options.SpanishDictionary = value;
        } else if (arg == "--spanish-analyser") {
            options.SpanishAnalyser = value;
            spanishAnalyserGiven = true;
        } else if (arg == "--spanish-analyses") {
            options.SpanishAnalyses = value;
        } else if (arg == "--previous") {
            options.Previous = value;
        } else if (arg == "--espeak") {
            options.Espeak = value;
        } else {
            std::cerr << "zirtel-build-data: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (options.Counts.empty() || options.OutFolder.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    if (!analyserGiven) options.Analyser = FindAnalyser();
    if (!bilingualGiven) options.Bilingual = options.Analyser.parent_path() / "eu-es.autobil.bin";
    if (!spanishAnalyserGiven)
        options.SpanishAnalyser = options.Analyser.parent_path() / "es-eu.automorf.bin";
    try {
        zirtel::tools::BuildDataSet(options, std::cout);
    } catch (const std::exception& e) {
        std::cerr << "zirtel-build-data: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
