#include "support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <sstream>

#include "support/test_paths.h"

extern char** environ;

namespace zirtel::test {

namespace {

std::filesystem::path OutFile(const ChildOptions& o) {
    return o.Scratch / "child-stdout.bin";
}

std::filesystem::path ErrFile(const ChildOptions& o) {
    return o.Scratch / "child-stderr.txt";
}

bool DisplaySetting(const char* entry) {
    for (const char* name : {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="})
        if (std::strncmp(entry, name, std::strlen(name)) == 0) return true;
    return false;
}

} // namespace

Outcome RunEntry(EntryPoint entry, const std::string& program,
                 const std::vector<std::string>& args) {
    std::vector<const char*> argv{program.c_str()};
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    Outcome o;
    o.Status = entry(static_cast<int>(argv.size()), argv.data(), out, err);
    o.Out = out.str();
    o.Err = err.str();
    return o;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           ChildOptions options)
    : Options_(std::move(options)) {
    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStore;
    for (char** e = environ; *e != nullptr; ++e)
        if (!DisplaySetting(*e)) envStore.emplace_back(*e);
    envStore.insert(envStore.end(), Options_.Environment.begin(), Options_.Environment.end());
    std::vector<char*> envp;
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string out =
        (Options_.AppendOutputTo ? *Options_.AppendOutputTo : OutFile(Options_)).string();
    const std::string err = ErrFile(Options_).string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, out.c_str(),
        O_WRONLY | O_CREAT | (Options_.AppendOutputTo ? O_APPEND : O_TRUNC), 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::posix_spawn(&Pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        Pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    if (Pid_ != 0) Wait();
}

Outcome ChildProcess::Wait() {
    Outcome o;
    if (Pid_ == 0) return o;
    int raw = 0;
    if (::waitpid(Pid_, &raw, 0) == Pid_ && WIFEXITED(raw)) o.Status = WEXITSTATUS(raw);
    Pid_ = 0;
    if (!Options_.AppendOutputTo) o.Out = ReadBytes(OutFile(Options_));
    o.Err = ReadBytes(ErrFile(Options_));
    std::error_code ec;
    std::filesystem::remove(OutFile(Options_), ec);
    std::filesystem::remove(ErrFile(Options_), ec);
    return o;
}

Outcome RunChild(const std::string& program, const std::vector<std::string>& args,
                 ChildOptions options) {
    return ChildProcess(program, args, std::move(options)).Wait();
}

} // namespace zirtel::test
