#include "cli/binding_session.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include "cli/batch.h"
#include "core/analysis/analysis_options.h"
#include "core/analysis/data_folder.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/streamed_analysis.h"
#include "core/analysis/user_field_file.h"
#include "core/feedback/messages.h"
#include "core/lexicon/user_fields.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"

namespace fs = std::filesystem;

namespace zirtel {

namespace {

[[noreturn]] void Fail(BindingError::Kind kind, const std::string& text) {
    throw BindingError(kind, text);
}

std::string ToLatin1(const std::string& utf8, const char* what) {
    Latin1Conversion c = Utf8ToLatin1(utf8);
    if (c.Unmapped > 0)
        Fail(BindingError::Kind::Value,
             std::string(what) + " \"" + utf8 + "\" holds a character outside Latin-1");
    return std::move(c.Text);
}

bool HasLexicon(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kWholeWordFile, ec);
}

FieldSet SetOf(const std::vector<int>& fields) {
    FieldSet set;
    for (int f : fields) set.set(static_cast<std::size_t>(f));
    return set;
}

std::vector<int> FamilyOf(FieldWriter writer) {
    std::vector<int> fields;
    for (int f = 0; f < kFieldCount; ++f)
        if (FieldCatalogue()[static_cast<std::size_t>(f)].Writer == writer) fields.push_back(f);
    return fields;
}

void CheckLexicon(const Lexicon& lexicon, const fs::path& path) {
    if (lexicon.HasReadableEntry()) return;
    std::error_code ec;
    if (!fs::exists(path, ec))
        Fail(BindingError::Kind::Missing,
             msg::LexiconUnusable(path.string(), "it does not exist").Text);
    Fail(BindingError::Kind::Value,
         msg::LexiconUnusable(path.string(), "it holds no readable entry").Text);
}

std::string WriteLines(const TempFolder& tmp, const std::string& name,
                       const std::vector<std::string>& lines) {
    const fs::path path = tmp / name;
    std::ofstream f(path, std::ios::binary);
    for (const std::string& l : lines) f << l << '\n';
    return path.string();
}

std::string ReadDesign(const std::string& design) {
    if (design.find('\n') != std::string::npos) return design;
    std::error_code ec;
    if (!fs::is_regular_file(design, ec)) return design;
    std::ifstream f(design, std::ios::binary);
    std::ostringstream text;
    text << f.rdbuf();
    return text.str();
}

// A design given as its text, or as the path of its file.
std::string DesignFile(const TempFolder& tmp, const std::string& design) {
    if (design.find('\n') == std::string::npos) {
        std::error_code ec;
        if (fs::is_regular_file(design, ec)) return design;
    }
    return WriteLines(tmp, "design.txt", {design});
}

// The design's text with its "generate" line drawing from `seed`.
std::string Seeded(const std::string& text, long long seed) {
    std::istringstream in(text);
    std::string out, line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && LowerAscii(word) == "generate") {
            std::string kept = word;
            while (words >> word) {
                if (LowerAscii(word) == "seed") {
                    words >> word;
                    continue;
                }
                kept += " " + word;
            }
            line = kept + " seed " + std::to_string(seed);
        }
        out += line + "\n";
    }
    return out;
}

} // namespace

MessageResult KeptFeedback::ShowMessage(const std::string& caption, const std::string& text,
                                        MessageButtons) {
    const std::lock_guard lock(Mutex_);
    Messages_.push_back(caption.empty() ? text : caption + ": " + text);
    return MessageResult::Ok;
}

std::unique_ptr<ProgressWindow> KeptFeedback::OpenProgress(const std::string&, const std::string&,
                                                           int) {
    return Silent_.OpenProgress("", "", 0);
}

std::vector<std::string> KeptFeedback::Take() {
    const std::lock_guard lock(Mutex_);
    return std::exchange(Messages_, {});
}

fs::path BindingDataFolder(const std::vector<fs::path>& candidates) {
    for (const fs::path& folder : candidates)
        if (HasLexicon(folder)) return folder;
    return FindDataFolder(candidates.empty() ? fs::current_path() : candidates.front());
}

std::vector<int> FieldsByName(const std::vector<std::string>& names) {
    if (names.empty()) Fail(BindingError::Kind::Value, "no field requested");
    FieldSet set;
    for (const std::string& name : names) {
        if (LowerAscii(name) == "all") {
            set.set();
            continue;
        }
        const int f = FindField(name);
        if (f < 0)
            Fail(BindingError::Kind::Value,
                 "unknown field \"" + name + "\"; valid names: " + ValidFieldNames());
        set.set(static_cast<std::size_t>(f));
    }
    std::vector<int> fields;
    for (int f = 0; f < kFieldCount; ++f)
        if (set[static_cast<std::size_t>(f)]) fields.push_back(f);
    return fields;
}

const char* NeighbourKindName(NeighbourKind kind) {
    switch (kind) {
    case NeighbourKind::Deletion:
        return "deletion";
    case NeighbourKind::Addition:
        return "addition";
    default:
        return "substitution";
    }
}

BindingSession::BindingSession(fs::path folder, bool lemmas)
    : Folder_(std::move(folder)), Setup_(UI_, Folder_) {
    std::error_code ec;
    if (!fs::is_directory(Folder_, ec))
        Fail(BindingError::Kind::Missing,
             "the data folder \"" + Folder_.string() + "\" does not exist");
    Setup_.LoadStartupData();
    CheckLexicon(Setup_.WholeWords, Folder_ / kWholeWordFile);
    if (lemmas) {
        Setup_.LoadLemmas();
        CheckLexicon(Setup_.Lemmas, Folder_ / kLemmaFile);
    }
    Messages_ = UI_.Take();
}

BindingSession::Measured BindingSession::Measure(const std::vector<std::string>& items,
                                                 const std::vector<std::string>& names,
                                                 const MeasureOptions& options) {
    const std::vector<std::string> latin = Items(items);
    LoadUserFields(options.UserFiles);
    Measured out;
    out.Fields = Defined(FieldsByName(names), names);
    Configure(options);
    MeasureContext ctx = Setup_.Measures();
    ctx.ListDeletionNs = options.Deletions;
    ctx.ListAdditionNs = options.Additions;
    out.Rows.resize(latin.size());
    Run(ctx, latin, SetOf(out.Fields), options.Jobs, [&](std::size_t i, const RowValues& row) {
        out.Rows[i].reserve(out.Fields.size());
        for (int f : out.Fields) out.Rows[i].push_back(row.At(f));
    });
    Messages_ = UI_.Take();
    return out;
}

std::vector<BindingSession::Neighbour>
BindingSession::Neighbours(const std::vector<std::string>& items, const MeasureOptions& options) {
    const std::vector<std::string> latin = Items(items);
    std::vector<int> fields = FamilyOf(&FindOrthoNeighbours);
    const std::vector<int> phon = FamilyOf(&AnalysePhonNeighbours);
    fields.insert(fields.end(), phon.begin(), phon.end());
    Configure(options);
    MeasureContext ctx = Setup_.Measures();
    ctx.OrthoListShown = true;
    ctx.ListDeletionNs = options.Deletions;
    ctx.ListAdditionNs = options.Additions;
    ctx.RecordNeighbours = true;
    std::vector<std::vector<NeighbourRecord>> ortho(latin.size()), phonological(latin.size());
    Run(ctx, latin, SetOf(fields), options.Jobs, [&](std::size_t i, const RowValues& row) {
        ortho[i] = row.OrthoNeighbours();
        phonological[i] = row.PhonNeighbours();
    });
    Messages_ = UI_.Take();
    std::vector<Neighbour> out;
    for (bool orthographic : {true, false})
        for (std::size_t i = 0; i < latin.size(); ++i)
            for (const NeighbourRecord& r : (orthographic ? ortho : phonological)[i])
                if (r.Listed) out.push_back({i, orthographic, r});
    return out;
}

// The items as the engine takes them (Latin-1); refuses an empty list and too long items.
std::vector<std::string> BindingSession::Items(const std::vector<std::string>& items) {
    if (items.empty()) Fail(BindingError::Kind::Value, "the item list holds no item");
    std::vector<std::string> latin;
    latin.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        latin.push_back(ToLatin1(items[i], "the item"));
        if (latin.back().size() > static_cast<std::size_t>(kMaxItemLength))
            Fail(BindingError::Kind::Value, msg::LongItems(kMaxItemLength, 1, items[i], 0).Text +
                                                " (item " + std::to_string(i + 1) + ")");
    }
    return latin;
}

void BindingSession::LoadUserFields(const std::vector<std::string>& files) {
    if (files.size() > 3) Fail(BindingError::Kind::Value, "at most three user field files");
    for (std::size_t u = 0; u < files.size(); ++u) {
        if (files[u].empty()) continue;
        if (!LoadUserField(Setup_, files[u], static_cast<int>(u))) {
            Messages_ = UI_.Take();
            Fail(BindingError::Kind::Missing, msg::CannotOpen("user field file", files[u]).Text);
        }
    }
}

// The fields without the user fields no file defines; one named on its own is an error.
std::vector<int> BindingSession::Defined(const std::vector<int>& fields,
                                         const std::vector<std::string>& names) {
    std::vector<int> kept;
    for (int f : fields) {
        const int user = FieldCatalogue()[static_cast<std::size_t>(f)].UserField;
        if (user > 0 &&
            Setup_.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField) {
            for (const std::string& name : names)
                if (FindField(name) == f)
                    Fail(BindingError::Kind::Value,
                         "USER" + std::to_string(user) + " needs a user field file");
            continue;
        }
        kept.push_back(f);
    }
    return kept;
}

void BindingSession::Configure(const MeasureOptions& options) {
    Setup_.Options.SetTicked("RulePronBox", options.RulePronunciations);
    Setup_.Options.SetTicked("IncludeDeletionNsBox", options.Deletions);
    Setup_.Options.SetTicked("IncludeAdditionNsBox", options.Additions);
    Setup_.RulePronunciations = options.RulePronunciations;
}

// Measures every item, the first on this thread (it loads the tables the fields read), the
// others on the workers, each handing its values to `keep` with the item's index.
template <typename Keep>
void BindingSession::Run(const MeasureContext& ctx, const std::vector<std::string>& items,
                         const FieldSet& fields, std::optional<int> jobs, Keep keep) {
    const std::lock_guard lock(Measuring_);
    RowValues first;
    MeasureContext own = ctx;
    MeasureItem(own, items[0], fields, first);
    keep(0, first);
    const int workers = std::max(1, jobs.value_or(DefaultJobs()));
    std::atomic<std::size_t> next{1};
    const auto work = [&] {
        MeasureContext mine = ctx;
        RowValues values;
        for (std::size_t i; (i = next.fetch_add(1)) < items.size();) {
            MeasureItem(mine, items[i], fields, values);
            keep(i, values);
        }
    };
    std::vector<std::jthread> threads;
    for (int w = 1; w < workers && static_cast<std::size_t>(w) < items.size(); ++w)
        threads.emplace_back(work);
    work();
}

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "zirtel-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Fail(BindingError::Kind::File, "no temporary folder");
    Path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(Path_, ec);
}

void RunBatchInProcess(std::vector<std::string> args) {
    args.insert(args.begin(), "zirtel-batch");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = RunBatchProgram(static_cast<int>(argv.size()), argv.data(), out, err);
    if (status == 0) return;
    std::string text = err.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    Fail(status == 1 ? BindingError::Kind::File : BindingError::Kind::Value, text);
}

fs::path SelectTable(const TempFolder& tmp, const fs::path& dataDir, const std::string& design,
                     std::optional<long long> seed, bool longTable) {
    const std::string file =
        seed ? WriteLines(tmp, "design.txt", {Seeded(ReadDesign(design), *seed)})
             : DesignFile(tmp, design);
    RunBatchInProcess({"--select", file, "-o", (tmp / "rows.tsv").string(), "--long",
                       (tmp / "long.tsv").string(), "--data-dir", dataDir.string()});
    return tmp / (longTable ? "long.tsv" : "rows.tsv");
}

fs::path MatchTable(const TempFolder& tmp, const fs::path& dataDir,
                    const std::vector<std::string>& items, const std::string& design, int n) {
    if (items.empty()) Fail(BindingError::Kind::Value, "the item list holds no item");
    RunBatchInProcess({"--match", WriteLines(tmp, "items.txt", items), "--design",
                       DesignFile(tmp, design), "-o", (tmp / "match.tsv").string(), "-n",
                       std::to_string(n), "--data-dir", dataDir.string()});
    return tmp / "match.tsv";
}

fs::path GenerateTable(const TempFolder& tmp, const fs::path& dataDir,
                       const std::vector<std::string>& templates, int n, long long seed,
                       bool foreignWords, bool allowDictionaryWords) {
    if (templates.empty()) Fail(BindingError::Kind::Value, "the template list holds no template");
    std::vector<std::string> args{"--generate", WriteLines(tmp, "templates.txt", templates),
                                  "-n",         std::to_string(n),
                                  "--seed",     std::to_string(seed),
                                  "-o",         (tmp / "generated.tsv").string()};
    if (foreignWords) args.emplace_back("--foreign-words");
    if (allowDictionaryWords) args.emplace_back("--allow-dictionary-words");
    args.insert(args.end(), {"--data-dir", dataDir.string()});
    RunBatchInProcess(args);
    return tmp / "generated.tsv";
}

} // namespace zirtel
