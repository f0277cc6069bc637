// SIGINT during a batch run: the analysis stops between items, nothing is written, exit 130.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zirtel {
namespace {

namespace fs = std::filesystem;

// Whether process `pid` has a handler for SIGINT (its SigCgt mask in /proc).
bool CatchesInterrupt(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1)) & 1u;
    return false;
}

TEST(BatchProgram, AnInterruptStopsTheRunWritesNothingAndExitsWith130) {
    const fs::path dir =
        fs::temp_directory_path() / ("zirtel_sigint_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // 200,000 items, every field on: far longer to analyse than the signal takes to arrive.
    const fs::path items = dir / "items.txt";
    {
        std::ofstream out(items, std::ios::binary);
        for (int i = 0; i < 200000; ++i) {
            std::string word = "etx";
            for (int n = i; n > 0; n /= 26) word.push_back(static_cast<char>('a' + n % 26));
            out << word << '\n';
        }
    }
    const fs::path results = dir / "results.txt", neighbours = dir / "neighbours.txt";
    const std::string program = ZIRTEL_PROGRAM;
    const std::string data = (fs::path(ZIRTEL_TEST_DATA) / "results_output").string();
    std::vector<std::string> args = {
        program, "--batch",        items.string(), "--data-dir",       data, "--fields", "all",
        "-o",    results.string(), "--neighbours", neighbours.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (dir / "stderr.txt").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    while (!CatchesInterrupt(pid)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(::kill(pid, SIGINT), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_FALSE(fs::exists(results));
    EXPECT_FALSE(fs::exists(neighbours));
    std::ifstream err(dir / "stderr.txt");
    std::stringstream text;
    text << err.rdbuf();
    EXPECT_TRUE(text.str().ends_with("zirtel: interrupted; nothing written\n")) << text.str();
    fs::remove_all(dir);
}

} // namespace
} // namespace zirtel
