// SHA-256 (FIPS 180-4) of bytes and of files, as lower-case hexadecimal text. Used to record
// which data files a run read, so that the run can be reported and repeated.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zirtel {

// The digest of the bytes: 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);
// The digest of the file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> Sha256FileHex(const std::filesystem::path& path);

} // namespace zirtel
