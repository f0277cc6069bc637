#include "core/analysis/data_folder.h"

#include <cstdlib>

#include "core/analysis/workspace.h"

namespace zirtel {

namespace fs = std::filesystem;

fs::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return exe.parent_path();
    const fs::path p = fs::absolute(argv0 ? argv0 : ".", ec);
    return ec ? fs::current_path() : p.parent_path();
}

fs::path FindDataFolder(const fs::path& programFolder, const char* envDataDir) {
    std::error_code ec;
    if (fs::is_regular_file(programFolder / kWholeWordFile, ec)) return programFolder;
    const fs::path installed = (programFolder / ".." / "share" / "zirtel").lexically_normal();
    if (fs::is_regular_file(installed / kWholeWordFile, ec)) return installed;
    if (envDataDir && *envDataDir) return fs::path(envDataDir);
    return programFolder;
}

fs::path FindDataFolder(const fs::path& programFolder) {
    return FindDataFolder(programFolder, std::getenv("ZIRTEL_DATA_DIR"));
}

} // namespace zirtel
