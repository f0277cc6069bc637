// The Python module zirtel: the lexicon, the measures and the batch modes' tables as Python
// values. A thin layer: every number comes from the engine's measures (MeasureItem), every table
// of the selector and the generator from the batch mode run in this process.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/batch.h"
#include "core/analysis/analysis_options.h"
#include "core/analysis/data_folder.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "core/feedback/feedback.h"
#include "core/feedback/messages.h"
#include "core/lexicon/user_fields.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace py = pybind11;
namespace fs = std::filesystem;

namespace zirtel {
namespace {

// Keeps the engine's messages ("CAPTION: TEXT") instead of showing them; measuring threads may
// add to it at the same time.
class KeptFeedback : public Feedback {
  public:
    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons) override {
        const std::lock_guard lock(Mutex_);
        Messages_.push_back(caption.empty() ? text : caption + ": " + text);
        return MessageResult::Ok;
    }
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string&, const std::string&,
                                                 int) override {
        return Silent_.OpenProgress("", "", 0);
    }
    std::vector<std::string> Take() {
        const std::lock_guard lock(Mutex_);
        return std::exchange(Messages_, {});
    }

  private:
    std::mutex Mutex_;
    std::vector<std::string> Messages_;
    SilentFeedback Silent_;
};

// The folder this module was loaded from.
fs::path ModuleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) != 0 && info.dli_fname)
        return fs::absolute(info.dli_fname).parent_path();
    return fs::current_path();
}

bool HasLexicon(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kWholeWordFile, ec);
}

// The data folder as the programs find theirs: beside the programs of the build tree this module
// was built in (build/python/zirtel/ next to build/bin/), else the installed data folder, else
// $ZIRTEL_DATA_DIR.
fs::path DefaultDataFolder() {
    const fs::path programs = ModuleFolder().parent_path().parent_path() / "bin";
    if (HasLexicon(programs)) return programs;
#ifdef ZIRTEL_INSTALLED_DATA
    if (HasLexicon(ZIRTEL_INSTALLED_DATA)) return ZIRTEL_INSTALLED_DATA;
#endif
    return FindDataFolder(programs);
}

std::string ToLatin1(const std::string& utf8, const char* what) {
    Latin1Conversion c = Utf8ToLatin1(utf8);
    if (c.Unmapped > 0)
        throw py::value_error(std::string(what) + " \"" + utf8 +
                              "\" holds a character outside Latin-1");
    return std::move(c.Text);
}

// The requested fields by name, in the catalogue's order.
std::vector<int> FieldsOf(const std::vector<std::string>& names) {
    if (names.empty()) throw py::value_error("no field requested");
    FieldSet set;
    for (const std::string& name : names) {
        if (LowerAscii(name) == "all") {
            set.set();
            continue;
        }
        const int f = FindField(name);
        if (f < 0)
            throw py::value_error("unknown field \"" + name +
                                  "\"; valid names: " + ValidFieldNames());
        set.set(static_cast<std::size_t>(f));
    }
    std::vector<int> fields;
    for (int f = 0; f < kFieldCount; ++f)
        if (set[static_cast<std::size_t>(f)]) fields.push_back(f);
    return fields;
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

const char* KindText(NeighbourKind kind) {
    switch (kind) {
    case NeighbourKind::Deletion:
        return "deletion";
    case NeighbourKind::Addition:
        return "addition";
    default:
        return "substitution";
    }
}

bool PandasPresent() {
    try {
        py::module_::import("pandas");
        return true;
    } catch (const py::error_already_set&) {
        return false;
    }
}

// A table from its columns (name, list) in order: a pandas.DataFrame when pandas is importable,
// else a dict of lists. `nullableInts` and `nullableTexts` name the columns of counts and of
// texts, whose missing values become pd.NA.
py::object Table(const std::vector<std::pair<std::string, py::list>>& columns,
                 const std::vector<std::string>& nullableInts = {},
                 const std::vector<std::string>& nullableTexts = {}) {
    py::dict dict;
    for (const auto& [name, values] : columns) dict[py::str(name)] = values;
    if (!PandasPresent()) return dict;
    py::module_ pd = py::module_::import("pandas");
    py::object frame = pd.attr("DataFrame")(dict);
    for (const std::string& name : nullableInts)
        frame[py::str(name)] = frame[py::str(name)].attr("astype")("Int64");
    for (const std::string& name : nullableTexts)
        frame[py::str(name)] = frame[py::str(name)].attr("astype")("string");
    return frame;
}

class PyLexicon {
  public:
    PyLexicon(std::optional<std::string> dataDir, bool lemmas)
        : Folder_(dataDir ? fs::path(*dataDir) : DefaultDataFolder()), Ws_(UI_, Folder_) {
        std::error_code ec;
        if (!fs::is_directory(Folder_, ec)) {
            PyErr_SetObject(
                PyExc_FileNotFoundError,
                py::str("the data folder \"" + Folder_.string() + "\" does not exist").ptr());
            throw py::error_already_set();
        }
        Ws_.PrepareGrids();
        Ws_.LoadStartupData(std::nullopt);
        Check(Ws_.WholeWords, Folder_ / kWholeWordFile);
        if (lemmas) {
            Ws_.UseLemmaLexicon();
            Check(Ws_.Lemmas, Folder_ / kLemmaFile);
        }
        Messages_ = UI_.Take();
    }

    std::string DataDir() const { return Folder_.string(); }
    bool Lemmas() const { return Ws_.LemmasCurrent; }
    // The engine's messages ("CAPTION: TEXT") of the last call: the lexicon's loading, a table
    // that could not be read, ...
    const std::vector<std::string>& Messages() const { return Messages_; }

    py::object Measure(const std::vector<std::string>& items, const std::vector<std::string>& names,
                       bool rulePronunciations, bool deletions, bool additions,
                       const std::optional<std::vector<std::string>>& userFields,
                       std::optional<int> jobs) {
        const std::vector<std::string> latin = Items(items);
        LoadUserFields(userFields);
        const std::vector<int> fields = Defined(FieldsOf(names), names);
        Configure(rulePronunciations, deletions, additions);
        MeasureContext ctx = Ws_.Measures();
        ctx.ListDeletionNs = deletions;
        ctx.ListAdditionNs = additions;
        std::vector<std::vector<Value>> values(latin.size());
        {
            const py::gil_scoped_release release;
            Run(ctx, latin, SetOf(fields), jobs, [&](std::size_t i, const RowValues& row) {
                values[i].reserve(fields.size());
                for (int f : fields) values[i].push_back(row.At(f));
            });
        }
        Messages_ = UI_.Take();

        std::vector<std::pair<std::string, py::list>> columns;
        std::vector<std::string> counts, texts;
        py::list itemColumn;
        for (const std::string& item : items) itemColumn.append(item);
        columns.emplace_back("item", itemColumn);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const FieldInfo& info = FieldCatalogue()[static_cast<std::size_t>(fields[c])];
            py::list column;
            bool allCounts = true, allTexts = true;
            for (const std::vector<Value>& row : values) {
                column.append(ToPython(row[c], info));
                allCounts = allCounts && (row[c].IsMissing() || row[c].Kind() == ValueKind::Count);
                allTexts = allTexts && (row[c].IsMissing() || row[c].Kind() == ValueKind::Text);
            }
            std::string name(info.Mnemonic);
            if (info.Format == ValueFormat::Count && allCounts) counts.push_back(name);
            if (info.Format != ValueFormat::Count && info.Format != ValueFormat::Real && allTexts)
                texts.push_back(name);
            columns.emplace_back(std::move(name), std::move(column));
        }
        return Table(columns, counts, texts);
    }

    py::object Neighbours(const std::vector<std::string>& items, bool rulePronunciations,
                          bool deletions, bool additions, std::optional<int> jobs) {
        const std::vector<std::string> latin = Items(items);
        std::vector<int> fields = FamilyOf(&FindOrthoNeighbours);
        const std::vector<int> phon = FamilyOf(&AnalysePhonNeighbours);
        fields.insert(fields.end(), phon.begin(), phon.end());
        Configure(rulePronunciations, deletions, additions);
        MeasureContext ctx = Ws_.Measures();
        ctx.OrthoListShown = true;
        ctx.ListDeletionNs = deletions;
        ctx.ListAdditionNs = additions;
        ctx.RecordNeighbours = true;
        std::vector<std::vector<NeighbourRecord>> ortho(latin.size()), phonological(latin.size());
        {
            const py::gil_scoped_release release;
            Run(ctx, latin, SetOf(fields), jobs, [&](std::size_t i, const RowValues& row) {
                ortho[i] = row.OrthoNeighbours();
                phonological[i] = row.PhonNeighbours();
            });
        }
        Messages_ = UI_.Take();
        py::list item, neighbour, list, kind, position, frequency;
        const auto add = [&](const std::vector<std::vector<NeighbourRecord>>& records,
                             const char* listName) {
            for (std::size_t i = 0; i < records.size(); ++i)
                for (const NeighbourRecord& r : records[i]) {
                    if (!r.Listed) continue;
                    item.append(items[i]);
                    neighbour.append(Latin1ToUtf8(r.Word));
                    list.append(listName);
                    kind.append(KindText(r.Kind));
                    position.append(r.Position);
                    frequency.append(static_cast<double>(r.Frequency));
                }
        };
        add(ortho, "orthographic");
        add(phonological, "phonological");
        return Table({{"item", item},
                      {"neighbour", neighbour},
                      {"list", list},
                      {"kind", kind},
                      {"position", position},
                      {"frequency", frequency}});
    }

  private:
    void Check(const Lexicon& lexicon, const fs::path& path) {
        if (lexicon.HasReadableEntry()) return;
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            PyErr_SetObject(
                PyExc_FileNotFoundError,
                py::str(msg::LexiconUnusable(path.string(), "it does not exist").Text).ptr());
            throw py::error_already_set();
        }
        throw py::value_error(
            msg::LexiconUnusable(path.string(), "it holds no readable entry").Text);
    }

    // The items as the engine takes them (Latin-1); refuses an empty list and too long items.
    std::vector<std::string> Items(const std::vector<std::string>& items) {
        if (items.empty()) throw py::value_error("the item list holds no item");
        std::vector<std::string> latin;
        latin.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            latin.push_back(ToLatin1(items[i], "the item"));
            if (latin.back().size() > static_cast<std::size_t>(kMaxItemLength))
                throw py::value_error(msg::LongItems(kMaxItemLength, 1, items[i], 0).Text +
                                      " (item " + std::to_string(i + 1) + ")");
        }
        return latin;
    }

    void LoadUserFields(const std::optional<std::vector<std::string>>& files) {
        const std::size_t n = files ? files->size() : 0;
        if (n > 3) throw py::value_error("at most three user field files");
        for (std::size_t u = 0; u < 3; ++u) {
            if (u < n && !(*files)[u].empty()) {
                if (!LoadUserField(Ws_, (*files)[u], static_cast<int>(u))) {
                    const std::string text = msg::CannotOpen("user field file", (*files)[u]).Text;
                    Messages_ = UI_.Take();
                    PyErr_SetObject(PyExc_FileNotFoundError, py::str(text).ptr());
                    throw py::error_already_set();
                }
            }
        }
    }

    // The fields without the user fields no file defines; one named on its own is an error.
    std::vector<int> Defined(const std::vector<int>& fields,
                             const std::vector<std::string>& names) {
        std::vector<int> kept;
        for (int f : fields) {
            const FieldInfo& info = FieldCatalogue()[static_cast<std::size_t>(f)];
            const int user = info.UserField;
            if (user > 0 &&
                Ws_.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField) {
                for (const std::string& name : names)
                    if (FindField(name) == f)
                        throw py::value_error("USER" + std::to_string(user) +
                                              " needs a file: user_fields=[...]");
                continue;
            }
            kept.push_back(f);
        }
        return kept;
    }

    void Configure(bool rulePronunciations, bool deletions, bool additions) {
        Ws_.Options.SetTicked("RulePronBox", rulePronunciations);
        Ws_.Options.SetTicked("IncludeDeletionNsBox", deletions);
        Ws_.Options.SetTicked("IncludeAdditionNsBox", additions);
        Ws_.RulePronunciations = rulePronunciations;
    }

    // Measures every item, the first on this thread (it loads the tables the fields read), the
    // others on `jobs` workers, each handing its values to `keep` with the item's index.
    template <typename Keep>
    void Run(const MeasureContext& ctx, const std::vector<std::string>& items,
             const FieldSet& fields, std::optional<int> jobs, Keep keep) {
        const std::lock_guard lock(Measuring_);
        RowValues first;
        MeasureContext own = ctx;
        MeasureItem(own, items[0], fields, first);
        keep(0, first);
        const int workers =
            std::max(1, jobs.value_or(static_cast<int>(std::thread::hardware_concurrency())));
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

    static py::object ToPython(const Value& v, const FieldInfo& info) {
        switch (v.Kind()) {
        case ValueKind::Count:
            return py::int_(v.Integer());
        case ValueKind::Real:
            return py::float_(v.Number());
        case ValueKind::Text:
            return py::str(Latin1ToUtf8(v.Text()));
        case ValueKind::Missing:
            break;
        }
        if (info.Format == ValueFormat::Real)
            return py::float_(std::numeric_limits<double>::quiet_NaN());
        return py::none();
    }

    fs::path Folder_;
    KeptFeedback UI_;
    Workspace Ws_;
    std::mutex Measuring_;
    std::vector<std::string> Messages_;
};

// Runs the batch mode with `args`; its messages become the exception's text when it fails.
void RunBatchMode(std::vector<std::string> args) {
    args.insert(args.begin(), "zirtel-batch");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int status = 0;
    {
        const py::gil_scoped_release release;
        status = RunBatchProgram(static_cast<int>(argv.size()), argv.data(), out, err);
    }
    if (status == 0) return;
    std::string text = err.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (status == 1) {
        PyErr_SetObject(PyExc_OSError, py::str(text).ptr());
        throw py::error_already_set();
    }
    throw py::value_error(text);
}

// A temporary folder for the batch mode's files, removed with it.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "zirtel-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        Path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(Path_, ec);
    }
    fs::path operator/(const std::string& name) const { return Path_ / name; }

  private:
    fs::path Path_;
};

std::string WriteLines(const TempFolder& tmp, const std::string& name,
                       const std::vector<std::string>& lines) {
    const fs::path path = tmp / name;
    std::ofstream f(path, std::ios::binary);
    for (const std::string& l : lines) f << l << '\n';
    return path.string();
}

// A design given as its text, or as the path of its file.
std::string DesignFile(const TempFolder& tmp, const std::string& design) {
    if (design.find('\n') == std::string::npos) {
        std::error_code ec;
        if (fs::is_regular_file(design, ec)) return design;
    }
    return WriteLines(tmp, "design.txt", {design});
}

// A clean table file of the batch mode (tab-separated, a header row) read back.
py::object ReadTable(const fs::path& path) {
    if (PandasPresent())
        return py::module_::import("pandas").attr("read_csv")(
            path.string(), py::arg("sep") = "\t", py::arg("keep_default_na") = false,
            py::arg("na_values") = py::make_tuple("NA"));
    py::module_ csv = py::module_::import("csv");
    py::object file = py::module_::import("builtins")
                          .attr("open")(path.string(), "r", py::arg("encoding") = "utf-8",
                                        py::arg("newline") = "");
    py::list rows = py::list(csv.attr("reader")(file, py::arg("delimiter") = "\t"));
    file.attr("close")();
    py::dict table;
    if (rows.empty()) return table;
    py::list header = rows[0];
    for (std::size_t c = 0; c < header.size(); ++c) {
        py::list column;
        for (std::size_t r = 1; r < rows.size(); ++r) column.append(py::list(rows[r])[c]);
        table[header[c]] = column;
    }
    return table;
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

std::string ReadDesign(const std::string& design) {
    if (design.find('\n') != std::string::npos) return design;
    std::error_code ec;
    if (!fs::is_regular_file(design, ec)) return design;
    std::ifstream f(design, std::ios::binary);
    std::ostringstream text;
    text << f.rdbuf();
    return text.str();
}

py::object Select(PyLexicon& lex, const std::string& design, std::optional<long long> seed,
                  bool longTable) {
    const TempFolder tmp;
    const std::string file =
        seed ? WriteLines(tmp, "design.txt", {Seeded(ReadDesign(design), *seed)})
             : DesignFile(tmp, design);
    std::vector<std::string> args{"--select",   file,
                                  "-o",         (tmp / "rows.tsv").string(),
                                  "--long",     (tmp / "long.tsv").string(),
                                  "--data-dir", lex.DataDir()};
    RunBatchMode(args);
    return ReadTable(tmp / (longTable ? "long.tsv" : "rows.tsv"));
}

py::object Match(PyLexicon& lex, const std::vector<std::string>& items, const std::string& design,
                 int n) {
    if (items.empty()) throw py::value_error("the item list holds no item");
    const TempFolder tmp;
    std::vector<std::string> args{"--match",    WriteLines(tmp, "items.txt", items),
                                  "--design",   DesignFile(tmp, design),
                                  "-o",         (tmp / "match.tsv").string(),
                                  "-n",         std::to_string(n),
                                  "--data-dir", lex.DataDir()};
    RunBatchMode(args);
    return ReadTable(tmp / "match.tsv");
}

py::object Generate(PyLexicon& lex, const std::vector<std::string>& templates, int n,
                    long long seed, bool foreignWords, bool allowDictionaryWords) {
    if (templates.empty()) throw py::value_error("the template list holds no template");
    const TempFolder tmp;
    std::vector<std::string> args{"--generate", WriteLines(tmp, "templates.txt", templates),
                                  "-n",         std::to_string(n),
                                  "--seed",     std::to_string(seed),
                                  "-o",         (tmp / "generated.tsv").string()};
    if (foreignWords) args.emplace_back("--foreign-words");
    if (allowDictionaryWords) args.emplace_back("--allow-dictionary-words");
    args.insert(args.end(), {"--data-dir", lex.DataDir()});
    RunBatchMode(args);
    return ReadTable(tmp / "generated.tsv");
}

py::object Fields() {
    py::list mnemonic, header, group, description, user;
    const auto& groups = OptionGroups();
    for (const FieldInfo& f : FieldCatalogue()) {
        mnemonic.append(std::string(f.Mnemonic));
        header.append(Latin1ToUtf8(Trim(f.Header)));
        const auto g = static_cast<std::size_t>(f.Group);
        group.append(g < groups.size() ? Latin1ToUtf8(Trim(groups[g].Caption)) : std::string());
        description.append(Latin1ToUtf8(Trim(f.BoxCaption)));
        user.append(f.UserField);
    }
    return Table({{"mnemonic", mnemonic},
                  {"header", header},
                  {"group", group},
                  {"description", description},
                  {"user_field", user}});
}

} // namespace
} // namespace zirtel

PYBIND11_MODULE(_zirtel, m) {
    using namespace zirtel;
    m.doc() = "Word and nonword statistics for Basque stimuli (the engine of Zirtel).";
    py::class_<PyLexicon>(m, "Lexicon")
        .def(py::init<std::optional<std::string>, bool>(), py::arg("data_dir") = py::none(),
             py::arg("lemmas") = false)
        .def_property_readonly("data_dir", &PyLexicon::DataDir)
        .def_property_readonly("lemmas", &PyLexicon::Lemmas)
        .def_property_readonly("messages", &PyLexicon::Messages)
        .def("measure", &PyLexicon::Measure, py::arg("items"), py::arg("fields"),
             py::arg("rule_pronunciations") = false, py::arg("include_deletions") = false,
             py::arg("include_additions") = false, py::arg("user_fields") = py::none(),
             py::arg("jobs") = py::none())
        .def("neighbours", &PyLexicon::Neighbours, py::arg("items"),
             py::arg("rule_pronunciations") = false, py::arg("include_deletions") = false,
             py::arg("include_additions") = false, py::arg("jobs") = py::none());
    m.def("select", &Select, py::arg("lexicon"), py::arg("design"), py::arg("seed") = py::none(),
          py::arg("long") = false);
    m.def("match", &Match, py::arg("lexicon"), py::arg("items"), py::arg("design"),
          py::arg("n") = 10);
    m.def("generate", &Generate, py::arg("lexicon"), py::arg("templates"), py::arg("n"),
          py::arg("seed"), py::arg("foreign_words") = false,
          py::arg("allow_dictionary_words") = false);
    m.def("fields", &Fields);
}
