#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace zirtel::tools {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zirtel-data-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    Path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(Path_, ec);
}

void RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& stdoutPath) {
    if (argv.empty()) throw std::runtime_error("no program to run");
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const std::string out = stdoutPath.string();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start " + argv[0]);
    if (pid == 0) {
        if (!out.empty()) {
            const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) _exit(126);
            close(fd);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(
            argv[0] + " failed" +
            (WIFEXITED(status) && WEXITSTATUS(status) == 127 ? " (program not found)" : ""));
}

} // namespace zirtel::tools
