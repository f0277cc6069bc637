// Runs an outside program of the builder (lt-proc, espeak-ng) and waits for it; no shell is
// involved.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zirtel::tools {

// Runs `argv[0]` (searched on the PATH) with the arguments, its standard output going to
// `stdoutPath` when that is not empty. Throws std::runtime_error when the program cannot be
// started or exits with a failure.
void RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& stdoutPath = {});

// A private folder for a program's input and output files, removed at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return Path_; }

  private:
    std::filesystem::path Path_;
};

} // namespace zirtel::tools
