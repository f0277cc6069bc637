// What the Python and R packages share, with no Python or R in it: a data folder opened as the
// programs open theirs, items measured into values on worker threads, the neighbours the
// searches record, and the batch modes run in this process on temporary files whose tables the
// packages read back. Failures are BindingErrors carrying the engine's message.
#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/analysis/measuring_setup.h"
#include "core/feedback/feedback.h"
#include "core/fields/fields.h"
#include "core/fields/neighbour_record.h"
#include "core/fields/value.h"

namespace zirtel {

struct BindingError : std::runtime_error {
    enum class Kind {
        Missing, // a folder or file that does not exist (Python FileNotFoundError)
        Value,   // a bad argument (ValueError)
        File,    // a file that could not be read or written (OSError)
    };
    BindingError(Kind kind, const std::string& text) : std::runtime_error(text), What(kind) {}
    Kind What;
};

// Keeps the engine's messages ("CAPTION: TEXT") instead of showing them; measuring threads may
// add to it at the same time.
class KeptFeedback : public Feedback {
  public:
    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons) override;
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string&, const std::string&,
                                                 int) override;
    std::vector<std::string> Take();

  private:
    std::mutex Mutex_;
    std::vector<std::string> Messages_;
    SilentFeedback Silent_;
};

// The data folder as the programs find theirs, for a package: the first of `candidates` (the
// programs of its build tree, its installed data folders ...) that holds the lexicon, else as
// FindDataFolder finds it from the first candidate ($ZIRTEL_DATA_DIR among the places).
std::filesystem::path BindingDataFolder(const std::vector<std::filesystem::path>& candidates);

// The requested fields by name ("all" for every one), in the catalogue's order.
std::vector<int> FieldsByName(const std::vector<std::string>& names);
// "substitution", "deletion" or "addition".
const char* NeighbourKindName(NeighbourKind kind);

struct MeasureOptions {
    bool RulePronunciations = false;
    bool Deletions = false;
    bool Additions = false;
    std::vector<std::string> UserFiles; // up to three; an empty name leaves its field alone
    std::optional<int> Jobs;            // worker threads; default: the machine's
};

// A data folder opened for measuring. One call measures at a time.
class BindingSession {
  public:
    BindingSession(std::filesystem::path folder, bool lemmas);

    const std::filesystem::path& Folder() const { return Folder_; }
    bool Lemmas() const { return Setup_.LemmasCurrent; }
    // The engine's messages of the last call.
    const std::vector<std::string>& Messages() const { return Messages_; }

    // Each item's values of the fields (UTF-8 items, in order); user fields that no file defines
    // are left out unless named.
    struct Measured {
        std::vector<int> Fields;
        std::vector<std::vector<Value>> Rows; // [item][field]
    };
    Measured Measure(const std::vector<std::string>& items, const std::vector<std::string>& names,
                     const MeasureOptions& options);

    // The listed orthographic and phonological neighbours of each item, as the tidy table has
    // them.
    struct Neighbour {
        std::size_t Item;
        bool Orthographic;
        NeighbourRecord Record;
    };
    std::vector<Neighbour> Neighbours(const std::vector<std::string>& items,
                                      const MeasureOptions& options);

  private:
    std::vector<std::string> Items(const std::vector<std::string>& items);
    void LoadUserFields(const std::vector<std::string>& files);
    std::vector<int> Defined(const std::vector<int>& fields, const std::vector<std::string>& names);
    void Configure(const MeasureOptions& options);
    template <typename Keep>
    void Run(const MeasureContext& ctx, const std::vector<std::string>& items,
             const FieldSet& fields, std::optional<int> jobs, Keep keep);

    std::filesystem::path Folder_;
    KeptFeedback UI_;
    MeasuringSetup Setup_;
    std::mutex Measuring_;
    std::vector<std::string> Messages_;
};

// A temporary folder for the batch mode's files, removed with it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return Path_ / name; }

  private:
    std::filesystem::path Path_;
};

// Runs the batch mode with `args` (without the program name) in this process; a failure is a
// BindingError with its messages (File for status 1, Value otherwise).
void RunBatchInProcess(std::vector<std::string> args);

// The batch modes' tables for the packages, written into `tmp`; each returns the table's path.
// A design is its text or the path of its file; `seed` replaces the design's own.
std::filesystem::path SelectTable(const TempFolder& tmp, const std::filesystem::path& dataDir,
                                  const std::string& design, std::optional<long long> seed,
                                  bool longTable);
std::filesystem::path MatchTable(const TempFolder& tmp, const std::filesystem::path& dataDir,
                                 const std::vector<std::string>& items, const std::string& design,
                                 int n);
std::filesystem::path GenerateTable(const TempFolder& tmp, const std::filesystem::path& dataDir,
                                    const std::vector<std::string>& templates, int n,
                                    long long seed, bool foreignWords,
                                    bool allowDictionaryWords = false);

} // namespace zirtel
