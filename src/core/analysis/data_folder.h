// Where the program finds its data files (the lexicons, the tables and the help files).
#pragma once

#include <filesystem>

namespace zirtel {

// The folder of the running program (from /proc/self/exe; else from `argv0`).
std::filesystem::path ProgramFolder(const char* argv0);

// The data folder of a program in `programFolder`: the program's own folder when the whole-word
// lexicon lies beside it (a build tree), else "../share/zirtel" relative to it when the lexicon
// is there (an installed program), else `envDataDir` ($ZIRTEL_DATA_DIR) when it is set and not
// empty; failing all, the program's own folder, where the lexicon's absence is then reported.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder,
                                     const char* envDataDir);
// The same with the environment's ZIRTEL_DATA_DIR.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder);

} // namespace zirtel
