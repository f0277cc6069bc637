// Which file a path names: through symbolic links (dangling ones too), and whether two paths
// name one file.
#pragma once

#include <filesystem>

namespace zirtel {

// The path with every symbolic link of its last component followed, also when the last link
// points to nothing yet (the path that writing through it would create).
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Whether two paths name one file: the same path once links are resolved and the path made
// absolute, or the same device and inode.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace zirtel
