// Shared pieces of the fuzz harnesses: a silent Feedback and a private scratch folder.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "core/feedback/feedback.h"

namespace zirtel::fuzz {

// The engine's own silent Feedback answers every box with OK and shows nothing.
using zirtel::SilentFeedback;

// A folder of this process under the system's temporary folder, made on first use.
inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("zirtel-fuzz-" + std::to_string(static_cast<long>(getpid())));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace zirtel::fuzz
