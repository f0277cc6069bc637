#include "support/test_paths.h"

#include <fstream>
#include <random>
#include <sstream>

namespace zirtel::test {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        Path_ = std::filesystem::temp_directory_path() / ("zirtel-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(Path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path_, ec);
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace zirtel::test
