#include "core/text/file_identity.h"

#include <sys/stat.h>

#include <system_error>

namespace zirtel {

namespace fs = std::filesystem;

fs::path ResolveLinks(const fs::path& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty()) return false;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::error_code ec;
    const fs::path ra = fs::weakly_canonical(fs::absolute(ResolveLinks(a), ec), ec);
    const fs::path rb = fs::weakly_canonical(fs::absolute(ResolveLinks(b), ec), ec);
    return ra == rb;
}

} // namespace zirtel
