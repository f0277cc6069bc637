// --jobs: items analysed by several workers give the bytes of one worker, and those are the bytes
// the workspace saves after analysing the same items in its grid.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_output.h"
#include "core/analysis/results_style.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;

struct Files {
    std::string Err, Results, Ortho, Phon, Tidy;
};

TEST(BatchJobs, TwoWorkersWriteTheBytesOfOneAndOfTheResultsGrid) {
    const fs::path data = test::TestData("phonology");
    const fs::path dir = fs::temp_directory_path() / ("zirtel_jobs_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Every word of the lexicon, each also with a letter more, an item too short and one too
    // long, 25 times over: over a thousand items, several rounds of the workers.
    std::vector<std::string> words;
    {
        std::ifstream lexicon(data / "nwfreq_EUS.txt");
        std::string line;
        while (std::getline(lexicon, line)) words.push_back(line.substr(0, line.find('\t')));
    }
    const fs::path items = dir / "items.txt";
    {
        std::ofstream out(items, std::ios::binary);
        for (int round = 0; round < 25; ++round) {
            for (const std::string& w : words) out << w << '\n' << w << "a\n";
            out << "a\nabcdefghijklmnopqrs\n";
        }
    }

    auto run = [&](const std::string& jobs) {
        const fs::path results = dir / "results.txt", ortho = dir / "ortho.txt",
                       phon = dir / "phon.txt", tidy = dir / "tidy.txt";
        const std::vector<std::string> args = {"zirtel",
                                               "--batch",
                                               items.string(),
                                               "--data-dir",
                                               data.string(),
                                               "--fields",
                                               "all",
                                               "--include-deletions",
                                               "--include-additions",
                                               "-o",
                                               results.string(),
                                               "--neighbours",
                                               ortho.string(),
                                               "--phon-neighbours",
                                               phon.string(),
                                               "--neighbours-tidy",
                                               tidy.string(),
                                               "--jobs",
                                               jobs};
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(static_cast<int>(argv.size()), argv.data(), out, err), kBatchOk);
        return Files{err.str(), ReadBytes(results), ReadBytes(ortho), ReadBytes(phon),
                     ReadBytes(tidy)};
    };
    const Files one = run("1"), two = run("2");

    // The same items in the results grid, as the main window analyses and saves them.
    SilentFeedback quiet;
    Workspace ws(quiet, data);
    ws.PrepareGrids();
    for (int f = 0; f < kFieldCount; ++f)
        ws.Setup.Options.SetFieldTicked(
            f, FieldCatalogue()[static_cast<std::size_t>(f)].UserField == 0);
    ws.Setup.Options.SetTicked("IncludeDeletionNsBox", true);
    ws.Setup.Options.SetTicked("IncludeAdditionNsBox", true);
    ws.AssignColumns();
    ws.LoadStartupData(std::nullopt);
    ws.AssignColumns();
    ASSERT_TRUE(ws.ReadInputFile(items));
    ASSERT_TRUE(ws.AnalyseAll());

    EXPECT_EQ(one.Results, OutputFileText(ws));
    EXPECT_EQ(one.Ortho, ws.OrthoNeighbours.SaveText());
    EXPECT_EQ(one.Phon, ws.PhonNeighbours.SaveText());
    EXPECT_EQ(one.Tidy, TidyNeighbourText(ws));
    // The lists are filled: ana and ata are substitution neighbours, anna less its n is ana,
    // and ana with an n added (at 2 or 3) sounds as anna.
    EXPECT_TRUE(one.Ortho.starts_with("ANA     \tata     \r\nANA     \tanna    \r\n"));
    EXPECT_NE(one.Tidy.find("\nanna\tana\torthographic\tdeletion\t2\t4.00\n"), std::string::npos);
    EXPECT_NE(one.Tidy.find("\nana\tanna\tphonological\taddition\t3\t6.00\n"), std::string::npos);
    // The items too long to measure are told once, before the analysis; then the warnings of
    // the missing bigram table, in item order.
    EXPECT_TRUE(one.Err.starts_with("Errorea: Item length must not exceed 18 letters: "))
        << one.Err;
    EXPECT_NE(one.Err.find("\nAbisua: Couldn't load ZR_BF3.txt: Ezin da kalkulatu 3 "
                           "letra-estimuluen bigrama-maiztasuna\n"),
              std::string::npos);

    EXPECT_EQ(two.Err, one.Err);
    EXPECT_EQ(two.Results, one.Results);
    EXPECT_EQ(two.Ortho, one.Ortho);
    EXPECT_EQ(two.Phon, one.Phon);
    EXPECT_EQ(two.Tidy, one.Tidy);
    fs::remove_all(dir);
}

} // namespace
} // namespace zirtel
