// SIGINT during a batch run: the analysis stops between items, nothing is written, exit 130.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/run_program.h"

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
    const std::string data = (fs::path(ZIRTEL_TEST_DATA) / "results_output").string();
    // Starts the program, interrupts it once it catches SIGINT, and waits for it to end.
    const auto interrupted = [&dir](std::vector<std::string> args) {
        test::ChildOptions options;
        options.Scratch = dir;
        test::ChildProcess child(ZIRTEL_PROGRAM, std::move(args), std::move(options));
        if (child.Pid() == 0) {
            ADD_FAILURE() << "the program did not start";
            return test::Outcome{};
        }
        while (!CatchesInterrupt(child.Pid()))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(::kill(child.Pid(), SIGINT), 0);
        return child.Wait();
    };
    const test::Outcome o =
        interrupted({"--batch", items.string(), "--data-dir", data, "--fields", "all", "-o",
                     results.string(), "--neighbours", neighbours.string()});
    EXPECT_EQ(o.Status, 130);
    EXPECT_FALSE(fs::exists(results));
    EXPECT_FALSE(fs::exists(neighbours));
    EXPECT_TRUE(o.Err.ends_with("zirtel: interrupted; nothing written\n")) << o.Err;
    // On standard output the rows done so far have gone out already: the message says so.
    const test::Outcome s =
        interrupted({"--batch", items.string(), "--data-dir", data, "--fields", "all"});
    EXPECT_EQ(s.Status, 130);
    EXPECT_TRUE(s.Err.ends_with("zirtel: interrupted; standard output holds only the rows done so "
                                "far; no file written\n"))
        << s.Err;
    fs::remove_all(dir);
}

} // namespace
} // namespace zirtel
