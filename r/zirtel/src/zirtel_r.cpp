// The R package zirtel: the engine's values as data frame columns. A thin layer over the session
// the Python module shares (cli/binding_session.h); the engine's failures become R errors with
// its message.
#include <R_ext/Rdynload.h>
#include <Rcpp.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/binding_session.h"
#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/fields/value_format.h"
#include "core/text/latin1.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

fs::path DataFolder(SEXP dataDir) {
    if (!Rf_isNull(dataDir)) return fs::path(Rcpp::as<std::string>(dataDir));
    return BindingDataFolder({fs::path(ZIRTEL_R_DATA), fs::path("/usr/share/zirtel")});
}

// One session per data folder and lexicon, opened on first use.
BindingSession& Session(SEXP dataDir, bool lemmas) {
    static std::map<std::pair<std::string, bool>, std::unique_ptr<BindingSession>> sessions;
    const fs::path folder = DataFolder(dataDir);
    auto& session = sessions[{folder.string(), lemmas}];
    if (!session) session = std::make_unique<BindingSession>(folder, lemmas);
    return *session;
}

std::optional<int> Jobs(SEXP jobs) {
    if (Rf_isNull(jobs)) return std::nullopt;
    return Rcpp::as<int>(jobs);
}

MeasureOptions Options(SEXP rules, SEXP deletions, SEXP additions, SEXP userFields, SEXP jobs) {
    MeasureOptions o;
    o.RulePronunciations = Rcpp::as<bool>(rules);
    o.Deletions = Rcpp::as<bool>(deletions);
    o.Additions = Rcpp::as<bool>(additions);
    if (!Rf_isNull(userFields)) o.UserFiles = Rcpp::as<std::vector<std::string>>(userFields);
    o.Jobs = Jobs(jobs);
    return o;
}

std::vector<std::string> Strings(SEXP x) {
    if (Rf_isNull(x) || Rf_length(x) == 0) return {};
    return Rcpp::as<std::vector<std::string>>(x);
}

Rcpp::CharacterVector Utf8(const std::vector<std::string>& latin1) {
    Rcpp::CharacterVector out(latin1.size());
    for (std::size_t i = 0; i < latin1.size(); ++i)
        out[i] = Rf_mkCharCE(Latin1ToUtf8(latin1[i]).c_str(), CE_UTF8);
    return out;
}

// A field's values as an R vector: integers for counts, doubles for reals, strings for texts;
// NA for a missing value.
SEXP Column(const BindingSession::Measured& m, std::size_t c) {
    const FieldInfo& info = FieldCatalogue()[static_cast<std::size_t>(m.Fields[c])];
    const std::size_t n = m.Rows.size();
    if (info.Format == ValueFormat::Count) {
        Rcpp::IntegerVector v(n);
        for (std::size_t r = 0; r < n; ++r) {
            const Value& x = m.Rows[r][c];
            v[r] = x.Kind() == ValueKind::Count ? static_cast<int>(x.Integer()) : NA_INTEGER;
        }
        return v;
    }
    if (info.Format == ValueFormat::Real) {
        Rcpp::NumericVector v(n);
        for (std::size_t r = 0; r < n; ++r) {
            const Value& x = m.Rows[r][c];
            v[r] = x.IsNumber() ? x.Number() : NA_REAL;
        }
        return v;
    }
    Rcpp::CharacterVector v(n);
    for (std::size_t r = 0; r < n; ++r) {
        const Value& x = m.Rows[r][c];
        if (x.Kind() == ValueKind::Text)
            v[r] = Rf_mkCharCE(Latin1ToUtf8(x.Text()).c_str(), CE_UTF8);
        else
            v[r] = NA_STRING;
    }
    return v;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream text;
    text << f.rdbuf();
    return text.str();
}

} // namespace

extern "C" {

SEXP zirtel_measure_c(SEXP items, SEXP fields, SEXP rules, SEXP deletions, SEXP additions,
                      SEXP userFields, SEXP dataDir, SEXP lemmas, SEXP jobs) {
    BEGIN_RCPP
    const std::vector<std::string> list = Strings(items);
    BindingSession& session = Session(dataDir, Rcpp::as<bool>(lemmas));
    const BindingSession::Measured m = session.Measure(
        list, Strings(fields), Options(rules, deletions, additions, userFields, jobs));
    Rcpp::List out(m.Fields.size() + 1);
    Rcpp::CharacterVector names(m.Fields.size() + 1);
    out[0] = Rcpp::CharacterVector(items);
    names[0] = "item";
    for (std::size_t c = 0; c < m.Fields.size(); ++c) {
        out[c + 1] = Column(m, c);
        names[c + 1] =
            std::string(FieldCatalogue()[static_cast<std::size_t>(m.Fields[c])].Mnemonic);
    }
    out.attr("names") = names;
    return out;
    END_RCPP
}

SEXP zirtel_neighbours_c(SEXP items, SEXP rules, SEXP deletions, SEXP additions, SEXP dataDir,
                         SEXP lemmas, SEXP jobs) {
    BEGIN_RCPP
    const std::vector<std::string> list = Strings(items);
    BindingSession& session = Session(dataDir, Rcpp::as<bool>(lemmas));
    const std::vector<BindingSession::Neighbour> found =
        session.Neighbours(list, Options(rules, deletions, additions, R_NilValue, jobs));
    std::vector<std::string> item, word, kind;
    Rcpp::CharacterVector listName(found.size());
    Rcpp::IntegerVector position(found.size());
    Rcpp::NumericVector frequency(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const BindingSession::Neighbour& n = found[i];
        item.push_back(list[n.Item]);
        word.push_back(n.Record.Word);
        kind.emplace_back(NeighbourKindName(n.Record.Kind));
        listName[i] = n.Orthographic ? "orthographic" : "phonological";
        position[i] = n.Record.Position;
        frequency[i] = n.Record.Frequency;
    }
    Rcpp::CharacterVector items8(item.size());
    for (std::size_t i = 0; i < item.size(); ++i) items8[i] = Rf_mkCharCE(item[i].c_str(), CE_UTF8);
    return Rcpp::List::create(
        Rcpp::Named("item") = items8, Rcpp::Named("neighbour") = Utf8(word),
        Rcpp::Named("list") = listName, Rcpp::Named("kind") = Rcpp::wrap(kind),
        Rcpp::Named("position") = position, Rcpp::Named("frequency") = frequency);
    END_RCPP
}

// The batch modes' tables as their file's text, which the R side reads.
SEXP zirtel_select_c(SEXP design, SEXP seed, SEXP longTable, SEXP dataDir) {
    BEGIN_RCPP
    const TempFolder tmp;
    std::optional<long long> s;
    if (!Rf_isNull(seed)) s = static_cast<long long>(Rcpp::as<double>(seed));
    return Rcpp::wrap(ReadFile(SelectTable(tmp, DataFolder(dataDir), Rcpp::as<std::string>(design),
                                           s, Rcpp::as<bool>(longTable))));
    END_RCPP
}

SEXP zirtel_match_c(SEXP items, SEXP design, SEXP n, SEXP dataDir) {
    BEGIN_RCPP
    const TempFolder tmp;
    return Rcpp::wrap(ReadFile(MatchTable(tmp, DataFolder(dataDir), Strings(items),
                                          Rcpp::as<std::string>(design), Rcpp::as<int>(n))));
    END_RCPP
}

SEXP zirtel_generate_c(SEXP templates, SEXP n, SEXP seed, SEXP foreignWords, SEXP dataDir) {
    BEGIN_RCPP
    const TempFolder tmp;
    return Rcpp::wrap(ReadFile(GenerateTable(
        tmp, DataFolder(dataDir), Strings(templates), Rcpp::as<int>(n),
        static_cast<long long>(Rcpp::as<double>(seed)), Rcpp::as<bool>(foreignWords))));
    END_RCPP
}

SEXP zirtel_fields_c() {
    BEGIN_RCPP
    std::vector<std::string> mnemonic, header, group, description;
    std::vector<int> user;
    const auto& groups = OptionGroups();
    for (const FieldInfo& f : FieldCatalogue()) {
        mnemonic.emplace_back(f.Mnemonic);
        header.push_back(Trim(f.Header));
        const auto g = static_cast<std::size_t>(f.Group);
        group.push_back(g < groups.size() ? Trim(groups[g].Caption) : std::string());
        description.push_back(Trim(f.BoxCaption));
        user.push_back(f.UserField);
    }
    return Rcpp::List::create(
        Rcpp::Named("mnemonic") = Rcpp::wrap(mnemonic), Rcpp::Named("header") = Utf8(header),
        Rcpp::Named("group") = Utf8(group), Rcpp::Named("description") = Utf8(description),
        Rcpp::Named("user_field") = Rcpp::wrap(user));
    END_RCPP
}

static const R_CallMethodDef kCalls[] = {
    {"zirtel_measure_c", reinterpret_cast<DL_FUNC>(&zirtel_measure_c), 9},
    {"zirtel_neighbours_c", reinterpret_cast<DL_FUNC>(&zirtel_neighbours_c), 7},
    {"zirtel_select_c", reinterpret_cast<DL_FUNC>(&zirtel_select_c), 4},
    {"zirtel_match_c", reinterpret_cast<DL_FUNC>(&zirtel_match_c), 4},
    {"zirtel_generate_c", reinterpret_cast<DL_FUNC>(&zirtel_generate_c), 5},
    {"zirtel_fields_c", reinterpret_cast<DL_FUNC>(&zirtel_fields_c), 0},
    {nullptr, nullptr, 0}};

void R_init_zirtel(DllInfo* dll) {
    R_registerRoutines(dll, nullptr, kCalls, nullptr, nullptr);
    R_useDynamicSymbols(dll, FALSE);
}

} // extern "C"
