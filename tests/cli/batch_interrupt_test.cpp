// A signal during a run (SIGINT, SIGTERM, SIGHUP, SIGQUIT) in every mode: the run stops between
// its units of work, writes nothing, leaves no temporary file and exits with 128 + the signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

// Whether process `pid` has a handler for `sig` (its SigCgt mask in /proc).
bool Catches(pid_t pid, int sig) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1u;
    return false;
}

// When the signal is sent: once the program catches it, and then after a while or once it has
// written to standard output.
enum class When { Caught, AfterAWhile, AfterOutput };

// Starts the program, sends `sig` when told, and waits for its end. The waits have a deadline: a
// program that never catches the signal fails the test, not CI.
test::Outcome Signalled(const fs::path& scratch, std::vector<std::string> args, int sig,
                        When when = When::Caught) {
    test::ChildOptions options;
    options.Scratch = scratch;
    test::ChildProcess child(ZIRTEL_PROGRAM, std::move(args), std::move(options));
    if (child.Pid() == 0) {
        ADD_FAILURE() << "the program did not start";
        return test::Outcome{};
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Catches(child.Pid(), sig)) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the program never caught signal " << sig;
            ::kill(child.Pid(), SIGKILL);
            return child.Wait();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Past start-up, into the units of work.
    if (when == When::AfterAWhile) std::this_thread::sleep_for(std::chrono::milliseconds(800));
    std::error_code ec;
    while (when == When::AfterOutput && fs::file_size(scratch / "child-stdout.bin", ec) == 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(::kill(child.Pid(), sig), 0);
    return child.Wait();
}

// The files of the folder, the collected standard streams apart.
std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with("child-std")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// `count` distinct letter strings, one a line.
void WriteItems(const fs::path& path, int count) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        std::string word = "etx";
        for (int n = i; n > 0; n /= 26) word.push_back(static_cast<char>('a' + n % 26));
        out << word << '\n';
    }
}

TEST(BatchProgram, AnInterruptStopsTheRunWritesNothingAndExitsWith130) {
    test::TempDir dir;
    // 200,000 items, every field on: far longer to analyse than the signal takes to arrive.
    const fs::path items = dir / "items.txt";
    WriteItems(items, 200000);
    const fs::path results = dir / "results.txt", neighbours = dir / "neighbours.txt";
    test::WriteBytes(results, "earlier");
    const std::string data = test::TestData("results_output").string();
    const std::vector<std::string> args = {
        "--batch", items.string(), "--data-dir",     data,           "--fields",
        "all",     "-o",           results.string(), "--neighbours", neighbours.string()};
    const test::Outcome o = Signalled(dir.Path(), args, SIGINT);
    EXPECT_EQ(o.Status, 130);
    EXPECT_EQ(test::ReadBytes(results), "earlier");
    EXPECT_TRUE(o.Err.ends_with("zirtel-batch: interrupted; nothing written\n")) << o.Err;
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"items.txt", "results.txt"}));
    // The other signals alike, each with its own status.
    for (const auto& [sig, status] : {std::pair{SIGTERM, 143}, {SIGHUP, 129}, {SIGQUIT, 131}}) {
        const test::Outcome other = Signalled(dir.Path(), args, sig);
        EXPECT_EQ(other.Status, status) << sig;
        EXPECT_EQ(test::ReadBytes(results), "earlier") << sig;
        EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"items.txt", "results.txt"}));
    }
    // On standard output the rows done so far have gone out already: the message says so.
    const test::Outcome s =
        Signalled(dir.Path(), {"--batch", items.string(), "--data-dir", data, "--fields", "all"},
                  SIGINT, When::AfterOutput);
    EXPECT_EQ(s.Status, 130);
    EXPECT_TRUE(s.Err.ends_with("zirtel-batch: interrupted; standard output holds only the rows "
                                "done so far; no file written\n"))
        << s.Err;
}

// A selection over 200,000 nonwords measured on OLD20 against the shipped lexicon (about ten
// seconds), and walks for a million pseudowords with no cap worth the name: both stopped mid-run.
TEST(BatchProgram, SelectionAndGenerationStopOnAnInterrupt) {
    test::TempDir dir;
    WriteItems(dir / "pool.txt", 200000);
    test::WriteBytes(dir / "d.txt", "pool items pool.txt\nsplit OLD20 0-2 2.01-9\n"
                                    "control LUZ_L\ngenerate 100 seed 1\n");
    test::WriteBytes(dir / "t.txt", "etxeberria\nmendizale\n");
    test::WriteBytes(dir / "out.tsv", "earlier");
    const std::string shipped = ZIRTEL_SHIPPED_DATA;
    const std::vector<std::string> expected{"d.txt", "out.tsv", "pool.txt", "t.txt"};
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--select", (dir / "d.txt").string(), "--long", (dir / "long.tsv").string()},
             {"--generate", (dir / "t.txt").string(), "-n", "1000000", "--max-candidates",
              "100000000000"}}) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--data-dir", shipped, "-o", (dir / "out.tsv").string(),
                               "--settings", (dir / "run.json").string()});
        const test::Outcome o = Signalled(dir.Path(), all, SIGINT, When::AfterAWhile);
        EXPECT_EQ(o.Status, 130) << args[0] << ": " << o.Err;
        EXPECT_TRUE(o.Err.ends_with("zirtel-batch: interrupted; nothing written\n")) << o.Err;
        EXPECT_EQ(test::ReadBytes(dir / "out.tsv"), "earlier") << args[0];
        EXPECT_EQ(FilesIn(dir.Path()), expected) << args[0];
    }
}

} // namespace
} // namespace zirtel
