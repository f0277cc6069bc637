// The Python module zirtel: the lexicon, the measures and the batch modes' tables as Python
// values. A thin layer over the session the R package shares (cli/binding_session.h): every
// number comes from the engine's measures, every table of the selector and the generator from
// the batch mode run in this process.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/binding_session.h"
#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/fields/value_format.h"
#include "core/text/latin1.h"

namespace py = pybind11;
namespace fs = std::filesystem;

namespace zirtel {
namespace {

// The folder this module was loaded from.
fs::path ModuleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) != 0 && info.dli_fname)
        return fs::absolute(info.dli_fname).parent_path();
    return fs::current_path();
}

// The data folder as the programs find theirs: beside the programs of the build tree this module
// was built in (build/python/zirtel/ next to build/bin/); else the package's own data folder
// (pip install); else the installed data folder, found from the module's folder as the installed
// programs find theirs from their own (a package unpacked anywhere works), or where the build
// was to install it; else $ZIRTEL_DATA_DIR.
fs::path DefaultDataFolder() {
    const fs::path module = ModuleFolder();
    std::vector<fs::path> candidates{module.parent_path().parent_path() / "bin", module / "data"};
#ifdef ZIRTEL_INSTALLED_DATA_FROM_MODULE
    candidates.push_back((module / ZIRTEL_INSTALLED_DATA_FROM_MODULE).lexically_normal());
#endif
#ifdef ZIRTEL_INSTALLED_DATA
    candidates.emplace_back(ZIRTEL_INSTALLED_DATA);
#endif
    return BindingDataFolder(candidates);
}

// pandas, when it can be imported.
std::optional<py::module_> Pandas() {
    try {
        return py::module_::import("pandas");
    } catch (const py::error_already_set&) {
        return std::nullopt;
    }
}

// A table from its columns (name, list) in order: a pandas.DataFrame when pandas is importable,
// else a dict of lists.
py::object Table(const std::vector<std::pair<std::string, py::list>>& columns) {
    py::dict dict;
    for (const auto& [name, values] : columns) dict[py::str(name)] = values;
    const std::optional<py::module_> pd = Pandas();
    if (!pd) return dict;
    return pd->attr("DataFrame")(dict);
}

py::object ToPython(const Value& v, const FieldInfo& info) {
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

using MeasuredRows = std::vector<std::vector<Value>>;

py::list ListColumn(const MeasuredRows& rows, std::size_t c, const FieldInfo& info) {
    py::list column;
    for (const std::vector<Value>& row : rows) column.append(ToPython(row[c], info));
    return column;
}

// A column of the DataFrame, built as the array pandas keeps it: counts as Int64 (a missing
// count pd.NA), reals as float64 (a missing real NaN), texts as pandas' string type (pd.NA); a
// column whose values are not all of its field's kind is a column of Python objects.
py::object FrameColumn(const py::module_& pd, const MeasuredRows& rows, std::size_t c,
                       const FieldInfo& info) {
    const auto kindOnly = [&](auto pred) {
        return std::all_of(rows.begin(), rows.end(),
                           [&](const std::vector<Value>& row) { return pred(row[c]); });
    };
    const auto n = static_cast<py::ssize_t>(rows.size());
    if (info.Format == ValueFormat::Count &&
        kindOnly([](const Value& v) { return v.IsMissing() || v.Kind() == ValueKind::Count; })) {
        py::array_t<long long> values(n);
        py::array_t<bool> mask(n);
        auto v = values.mutable_unchecked<1>();
        auto m = mask.mutable_unchecked<1>();
        for (py::ssize_t r = 0; r < n; ++r) {
            const Value& value = rows[static_cast<std::size_t>(r)][c];
            m(r) = value.IsMissing();
            v(r) = value.IsMissing() ? 0 : value.Integer();
        }
        return pd.attr("arrays").attr("IntegerArray")(values, mask);
    }
    if (info.Format == ValueFormat::Real &&
        kindOnly([](const Value& v) { return v.IsMissing() || v.IsNumber(); })) {
        py::array_t<double> values(n);
        auto v = values.mutable_unchecked<1>();
        for (py::ssize_t r = 0; r < n; ++r) {
            const Value& value = rows[static_cast<std::size_t>(r)][c];
            v(r) = value.IsMissing() ? std::numeric_limits<double>::quiet_NaN() : value.Number();
        }
        return values;
    }
    py::list column = ListColumn(rows, c, info);
    if (info.Format != ValueFormat::Count && info.Format != ValueFormat::Real &&
        kindOnly([](const Value& v) { return v.IsMissing() || v.Kind() == ValueKind::Text; }))
        return pd.attr("array")(column, py::arg("dtype") = "string");
    return column;
}

MeasureOptions Options(bool rulePronunciations, bool deletions, bool additions,
                       const std::optional<std::vector<std::string>>& userFields,
                       std::optional<int> jobs) {
    return {.RulePronunciations = rulePronunciations,
            .Deletions = deletions,
            .Additions = additions,
            .UserFiles = userFields.value_or(std::vector<std::string>{}),
            .Jobs = jobs};
}

class PyLexicon {
  public:
    PyLexicon(std::optional<std::string> dataDir, bool lemmas)
        : Session_(dataDir ? fs::path(*dataDir) : DefaultDataFolder(), lemmas) {}

    std::string DataDir() const { return Session_.Folder().string(); }
    bool Lemmas() const { return Session_.Lemmas(); }
    // The engine's messages ("CAPTION: TEXT") of the last call: the lexicon's loading, a table
    // that could not be read, ...
    const std::vector<std::string>& Messages() const { return Session_.Messages(); }

    py::object Measure(const std::vector<std::string>& items, const std::vector<std::string>& names,
                       bool rulePronunciations, bool deletions, bool additions,
                       const std::optional<std::vector<std::string>>& userFields,
                       std::optional<int> jobs) {
        BindingSession::Measured measured;
        {
            const py::gil_scoped_release release;
            measured = Session_.Measure(
                items, names, Options(rulePronunciations, deletions, additions, userFields, jobs));
        }
        const std::optional<py::module_> pd = Pandas();
        py::dict table;
        py::list itemColumn;
        for (const std::string& item : items) itemColumn.append(item);
        table["item"] = itemColumn;
        for (std::size_t c = 0; c < measured.Fields.size(); ++c) {
            const FieldInfo& info = FieldCatalogue()[static_cast<std::size_t>(measured.Fields[c])];
            table[py::str(std::string(info.Mnemonic))] =
                pd ? FrameColumn(*pd, measured.Rows, c, info) : ListColumn(measured.Rows, c, info);
        }
        if (!pd) return table;
        return pd->attr("DataFrame")(table);
    }

    py::object Neighbours(const std::vector<std::string>& items, bool rulePronunciations,
                          bool deletions, bool additions, std::optional<int> jobs) {
        std::vector<BindingSession::Neighbour> found;
        {
            const py::gil_scoped_release release;
            found = Session_.Neighbours(
                items, Options(rulePronunciations, deletions, additions, std::nullopt, jobs));
        }
        py::list item, neighbour, list, kind, position, frequency;
        for (const BindingSession::Neighbour& n : found) {
            item.append(items[n.Item]);
            neighbour.append(Latin1ToUtf8(n.Record.Word));
            list.append(n.Orthographic ? "orthographic" : "phonological");
            kind.append(NeighbourKindName(n.Record.Kind));
            position.append(n.Record.Position);
            frequency.append(static_cast<double>(n.Record.Frequency));
        }
        return Table({{"item", item},
                      {"neighbour", neighbour},
                      {"list", list},
                      {"kind", kind},
                      {"position", position},
                      {"frequency", frequency}});
    }

  private:
    BindingSession Session_;
};

// A clean table file of the batch mode (tab-separated, a header row) read back.
py::object ReadTable(const fs::path& path) {
    if (const std::optional<py::module_> pd = Pandas())
        return pd->attr("read_csv")(path.string(), py::arg("sep") = "\t",
                                    py::arg("keep_default_na") = false,
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

// Runs a batch mode into a temporary folder, the GIL released, and reads its table back.
template <typename Make> py::object BatchTable(Make make) {
    const TempFolder tmp;
    fs::path table;
    {
        const py::gil_scoped_release release;
        table = make(tmp);
    }
    return ReadTable(table);
}

py::object Select(PyLexicon& lex, const std::string& design, std::optional<long long> seed,
                  bool longTable) {
    return BatchTable([&](const TempFolder& tmp) {
        return SelectTable(tmp, lex.DataDir(), design, seed, longTable);
    });
}

py::object Match(PyLexicon& lex, const std::vector<std::string>& items, const std::string& design,
                 int n) {
    return BatchTable(
        [&](const TempFolder& tmp) { return MatchTable(tmp, lex.DataDir(), items, design, n); });
}

py::object Generate(PyLexicon& lex, const std::vector<std::string>& templates, int n,
                    long long seed, bool foreignWords, bool allowDictionaryWords) {
    return BatchTable([&](const TempFolder& tmp) {
        return GenerateTable(tmp, lex.DataDir(), templates, n, seed, foreignWords,
                             allowDictionaryWords);
    });
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
    // The engine's failures as Python exceptions with its message.
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const BindingError& e) {
            PyObject* type = e.What == BindingError::Kind::Missing ? PyExc_FileNotFoundError
                             : e.What == BindingError::Kind::File  ? PyExc_OSError
                                                                   : PyExc_ValueError;
            PyErr_SetString(type, e.what());
        }
    });
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
