// The one conversion between the windows' file names (QString) and the engine's paths.
#pragma once

#include <QString>
#include <filesystem>

namespace zirtel {

inline std::filesystem::path ToPath(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

inline QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

} // namespace zirtel
