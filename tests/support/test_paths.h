// Paths of the hand-made test data.
#pragma once

#include <filesystem>
#include <string>

namespace zirtel::test {

inline std::filesystem::path TestData(const std::filesystem::path& sub = {}) {
    return std::filesystem::path(ZIRTEL_TEST_DATA) / sub;
}

// A fresh empty folder under the system's temporary folder, removed when the object dies.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return Path_; }
    std::filesystem::path operator/(const std::filesystem::path& p) const { return Path_ / p; }

  private:
    std::filesystem::path Path_;
};

// Writes bytes to a file (creating or replacing it).
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// Reads a whole file's bytes.
std::string ReadBytes(const std::filesystem::path& path);

} // namespace zirtel::test
