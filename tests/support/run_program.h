// Running the batch mode in the tests: its entry points in this process, and the built programs
// as child processes, collecting the exit status and what they wrote.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zirtel::test {

struct Outcome {
    int Status = -1; // the exit status; -1 for a child that did not exit by itself
    std::string Out, Err;
};

// An entry point of the batch mode (RunBatch, RunBatchProgram).
using EntryPoint = int (*)(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// Runs `entry` with `program` as the program name and `args` after it.
Outcome RunEntry(EntryPoint entry, const std::string& program,
                 const std::vector<std::string>& args);

struct ChildOptions {
    // Where the child's standard output and error are collected (files removed afterwards).
    std::filesystem::path Scratch;
    // "NAME=value" settings added to the environment.
    std::vector<std::string> Environment;
    // Standard output appended to this file instead of collected (Out stays empty).
    std::optional<std::filesystem::path> AppendOutputTo;
};

// A program started as a child process with no display: DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM are taken out of its environment.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 ChildOptions options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // 0 when it could not be started.
    pid_t Pid() const { return Pid_; }
    // Waits for its end and collects what it wrote.
    Outcome Wait();

  private:
    ChildOptions Options_;
    pid_t Pid_ = 0;
};

// Starts the program, waits for it and collects what it wrote.
Outcome RunChild(const std::string& program, const std::vector<std::string>& args,
                 ChildOptions options);

} // namespace zirtel::test
