#include "core/selection/design.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "core/analysis/field_catalogue.h"
#include "core/fields/value_format.h"
#include "core/lexicon/lexicon.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "core/text/token_reader.h"
#include "core/text/whole_number.h"

namespace zirtel {

namespace {

struct LineError {
    std::string Message;
};

std::optional<double> ReadNumber(std::string_view token) {
    if (token.empty()) return std::nullopt;
    if (token.front() == '+') token.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
    if (ec != std::errc() || end != token.data() + token.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double Number(std::string_view token, std::string_view what) {
    const auto v = ReadNumber(token);
    if (!v) throw LineError{std::string(what) + " '" + std::string(token) + "' is not a number"};
    return *v;
}

int Field(std::string_view name) {
    const int f = FindField(name);
    if (f < 0) throw LineError{"unknown field '" + std::string(name) + "'"};
    return f;
}

int NumericField(std::string_view name, std::string_view statement) {
    const int f = Field(name);
    if (IsTextField(f))
        throw LineError{"the text field " + FieldName(f) + " cannot be used in a range (" +
                        std::string(statement) + ")"};
    return f;
}

ValueRange Range(std::string_view low, std::string_view high) {
    ValueRange r{Number(low, "LOW"), Number(high, "HIGH")};
    if (r.Low > r.High)
        throw LineError{"the range " + std::string(low) + " " + std::string(high) +
                        " has LOW greater than HIGH"};
    return r;
}

// "LOW-HIGH": the hyphen that separates is the first one after a digit or a point.
ValueRange Level(std::string_view token) {
    std::size_t dash = std::string_view::npos;
    for (std::size_t i = 1; i < token.size(); ++i)
        if (token[i] == '-' &&
            (std::isdigit(static_cast<unsigned char>(token[i - 1])) != 0 || token[i - 1] == '.')) {
            dash = i;
            break;
        }
    if (dash == std::string_view::npos)
        throw LineError{"the level '" + std::string(token) + "' is not LOW-HIGH"};
    const ValueRange r{Number(token.substr(0, dash), "LOW"),
                       Number(token.substr(dash + 1), "HIGH")};
    if (r.Low > r.High)
        throw LineError{"the level " + std::string(token) + " has LOW greater than HIGH"};
    return r;
}

void NoMore(const std::vector<std::string_view>& t, std::size_t used) {
    if (t.size() > used)
        throw LineError{"unexpected '" + std::string(t[used]) + "' after " + std::string(t[0])};
}

void Need(const std::vector<std::string_view>& t, std::size_t count, std::string_view form) {
    if (t.size() < count) throw LineError{"incomplete statement: " + std::string(form)};
}

// The values of "filter FIELD VALUE ...", each one of the field's values, letter case ignored.
std::vector<std::string> FilterValues(int field, const std::vector<std::string_view>& t) {
    const std::vector<std::string_view> valid = FieldValues(field);
    std::vector<std::string> values;
    for (std::size_t i = 2; i < t.size(); ++i) {
        std::string value = LowerAscii(t[i]);
        if (std::find(valid.begin(), valid.end(), value) == valid.end()) {
            std::string names;
            for (std::string_view v : valid) {
                if (!names.empty()) names += ", ";
                names += v;
            }
            throw LineError{"'" + std::string(t[i]) + "' is not a value of " + FieldName(field) +
                            " (" + names + ")"};
        }
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(std::move(value));
    }
    return values;
}

void ParseGenerate(const std::vector<std::string_view>& t, Design& d) {
    if (d.HasGenerate) throw LineError{"a second generate line"};
    Need(t, 2, "generate N [match balanced|first|random] [seed S]");
    const auto n = ParseWholeNumber(t[1]);
    if (!n || *n < 1 || *n > static_cast<std::uint64_t>(INT_MAX))
        throw LineError{"the number of rows '" + std::string(t[1]) +
                        "' is not a whole number from 1 to " + std::to_string(INT_MAX)};
    d.HasGenerate = true;
    d.Rows = static_cast<int>(*n);
    bool matchGiven = false, seedGiven = false;
    for (std::size_t i = 2; i < t.size(); i += 2) {
        const std::string key = LowerAscii(t[i]);
        if (key != "match" && key != "seed")
            throw LineError{"unexpected '" + std::string(t[i]) + "' in generate (match or seed)"};
        if (i + 1 >= t.size()) throw LineError{key + " needs a value"};
        bool& given = key == "match" ? matchGiven : seedGiven;
        if (given) throw LineError{key + " is given twice in generate"};
        given = true;
        const std::string_view v = t[i + 1];
        if (key == "match") {
            const std::string m = LowerAscii(v);
            if (m == "balanced")
                d.Match = ReferenceChoice::Balanced;
            else if (m == "first")
                d.Match = ReferenceChoice::First;
            else if (m == "random")
                d.Match = ReferenceChoice::Random;
            else
                throw LineError{"match must be balanced, first or random, not '" + std::string(v) +
                                "'"};
        } else {
            const auto seed = ParseWholeNumber(v);
            if (!seed)
                throw LineError{"the seed '" + std::string(v) +
                                "' is not a whole number from 0 to 18446744073709551615"};
            d.Seed = *seed;
        }
    }
}

// The file name of "pool items FILE": the rest of the line after "items". A name in double
// quotes is taken as it stands, "\\" and "\"" standing for a backslash and a quote; a name
// without quotes is its words joined by single blanks.
std::string PoolFileName(std::string_view line, const std::vector<std::string_view>& t) {
    const std::size_t after = static_cast<std::size_t>(t[1].data() + t[1].size() - line.data());
    std::string_view rest = line.substr(after);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || rest.front() != '"') {
        std::string name;
        for (std::size_t i = 2; i < t.size(); ++i) {
            if (i > 2) name += ' ';
            name += t[i];
        }
        return name;
    }
    std::string name;
    std::size_t i = 1;
    for (; i < rest.size() && rest[i] != '"'; ++i) {
        if (rest[i] == '\\' && i + 1 < rest.size() && (rest[i + 1] == '"' || rest[i + 1] == '\\'))
            ++i;
        name += rest[i];
    }
    if (i >= rest.size()) throw LineError{"the pool file name has no closing quote"};
    for (std::size_t j = i + 1; j < rest.size(); ++j)
        if (!IsBlank(rest[j]))
            throw LineError{"unexpected '" + std::string(rest.substr(j)) +
                            "' after the quoted pool file name"};
    if (name.empty()) throw LineError{"the pool file name is empty"};
    return name;
}

// The design's cells so far, and with the rows of the generate line the items a selection would
// hold: both are bounded (kMaxDesignCells, kMaxDesignItems).
void CheckSize(const Design& d) {
    std::uint64_t cells = 1;
    for (const DesignSplit& s : d.Splits) cells *= s.Levels.size(); // at most 10,000 x tokens
    if (cells > kMaxDesignCells)
        throw LineError{"the design has " + std::to_string(cells) + " cells, more than " +
                        std::to_string(kMaxDesignCells)};
    if (d.HasGenerate && !d.Splits.empty() &&
        cells * static_cast<std::uint64_t>(d.Rows) > kMaxDesignItems)
        throw LineError{std::to_string(d.Rows) + " rows of " + std::to_string(cells) +
                        " cells are more than " + std::to_string(kMaxDesignItems) + " items"};
}

void ParseStatement(std::string_view line, const std::vector<std::string_view>& t, Design& d) {
    const std::string keyword = LowerAscii(t[0]);
    if (keyword == "pool") {
        Need(t, 2, "pool lexicon | pool items FILE");
        const std::string kind = LowerAscii(t[1]);
        if (kind == "lexicon") {
            NoMore(t, 2);
            d.PoolIsLexicon = true;
            d.PoolFile.clear();
        } else if (kind == "items") {
            Need(t, 3, "pool items FILE");
            d.PoolIsLexicon = false;
            d.PoolFile = PoolFileName(line, t);
        } else {
            throw LineError{"pool must be 'lexicon' or 'items FILE', not '" + std::string(t[1]) +
                            "'"};
        }
    } else if (keyword == "lemmas") {
        NoMore(t, 1);
        d.Lemmas = true;
    } else if (keyword == "rule-pronunciations") {
        NoMore(t, 1);
        d.RulePronunciations = true;
    } else if (keyword == "filter") {
        DesignFilter f;
        if (t.size() >= 2 && !FieldValues(Field(t[1])).empty()) {
            Need(t, 3, "filter FIELD VALUE ...");
            f.Field = Field(t[1]);
            f.Values = FilterValues(f.Field, t);
        } else {
            // A lone -1, the results' old mark of a missing value, keeps the items without one
            // (filter ES_MAIZT -1: the items that are no Spanish word).
            f.Missing = t.size() == 3 && t[2] == "-1";
            if (!f.Missing) {
                Need(t, 4, "filter FIELD LOW HIGH");
                NoMore(t, 4);
            }
            f.Field = NumericField(t[1], "filter");
            if (!f.Missing) f.Range = Range(t[2], t[3]);
        }
        d.Filters.push_back(std::move(f));
    } else if (keyword == "split") {
        Need(t, 3, "split FIELD LOW-HIGH LOW-HIGH ...");
        if (d.Splits.size() == 3) throw LineError{"more than 3 split lines"};
        DesignSplit s;
        s.Field = NumericField(t[1], "split");
        for (std::size_t i = 2; i < t.size(); ++i) {
            const ValueRange level = Level(t[i]);
            if (!s.Levels.empty()) {
                const ValueRange& before = s.Levels.back();
                if (level.High < before.Low)
                    throw LineError{"the levels are not in ascending order (" +
                                    std::string(t[i - 1]) + ", " + std::string(t[i]) + ")"};
                if (level.Low <= before.High)
                    throw LineError{"the levels " + std::string(t[i - 1]) + " and " +
                                    std::string(t[i]) + " overlap"};
            }
            s.Levels.push_back(level);
        }
        d.Splits.push_back(std::move(s));
        CheckSize(d);
    } else if (keyword == "control") {
        Need(t, 2, "control FIELD [LOW HIGH]");
        DesignControl c;
        if (t.size() == 2) {
            c.Field = Field(t[1]);
        } else {
            Need(t, 4, "control FIELD LOW HIGH");
            NoMore(t, 4);
            c.Field = NumericField(
                t[1], "control with LOW HIGH; a text field can only be matched exactly");
            c.Exact = false;
            c.Offsets = Range(t[2], t[3]);
        }
        d.Controls.push_back(c);
    } else if (keyword == "generate") {
        ParseGenerate(t, d);
        CheckSize(d);
    } else {
        throw LineError{"unknown statement '" + std::string(t[0]) + "'"};
    }
}

// The line up to its comment: the first "#" outside double quotes.
std::string_view WithoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '\\') {
            ++i;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == '#' && !quoted) {
            return line.substr(0, i);
        }
    }
    return line;
}

// The pool file name as a design writes it: in quotes when reading it without them would not
// give it back ("#", a quote, blanks other than single spaces between words, nothing at all).
std::string WrittenPoolFile(const std::string& name) {
    bool plain = !name.empty() && name.front() != ' ' && name.back() != ' ' &&
                 name.find("  ") == std::string::npos;
    for (const char c : name)
        if (c == '#' || c == '"' || (c != ' ' && IsBlank(c))) plain = false;
    if (plain) return name;
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

} // namespace

std::string DesignError::Text() const {
    return Line > 0 ? "line " + std::to_string(Line) + ": " + Message : Message;
}

bool IsTextField(int field) {
    if (field < 0 || field >= kFieldCount) return false;
    // The field table says which fields measure a text (a pronunciation, a pattern, a word).
    const ValueFormat format = FormatOf(static_cast<FieldId>(field));
    return format == ValueFormat::Text || format == ValueFormat::Pattern;
}

std::vector<std::string_view> FieldValues(int field) {
    if (field != FieldIndex(FieldId::kJATORRIA)) return {};
    return {kWordOriginNames.begin(), kWordOriginNames.end()};
}

std::string FilterText(const DesignFilter& filter) {
    if (filter.Missing) return "-1";
    if (filter.Values.empty())
        return DesignNumber(filter.Range.Low) + " " + DesignNumber(filter.Range.High);
    std::string text;
    for (const std::string& v : filter.Values) {
        if (!text.empty()) text += ' ';
        text += v;
    }
    return text;
}

std::string FieldName(int field) {
    return std::string(FieldCatalogue()[static_cast<std::size_t>(field)].Mnemonic);
}

DesignParse ParseDesign(std::string_view text, bool forGenerate) {
    DesignParse result;
    int lineNumber = 0;
    for (std::string_view line : SplitLines(text)) {
        ++lineNumber;
        line = WithoutComment(line);
        const std::vector<std::string_view> tokens = SplitTokens(line);
        if (tokens.empty()) continue;
        try {
            ParseStatement(line, tokens, result.Value);
        } catch (const LineError& e) {
            result.Error = DesignError{lineNumber, e.Message};
            return result;
        }
    }
    // What is missing is reported at the design's last line.
    const int last = std::max(lineNumber, 1);
    if (forGenerate && !result.Value.HasGenerate) {
        result.Error = DesignError{last, "no generate line"};
    } else if (forGenerate && result.Value.Splits.empty()) {
        result.Error = DesignError{last, "no split line"};
    }
    return result;
}

std::string DesignNumber(double value) {
    // Plain decimals (100000, not 1e+05) while they stay short; the shortest form otherwise.
    char buffer[400];
    if (const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        ec == std::errc() && end - buffer <= 24)
        return std::string(buffer, end);
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string DesignText(const Design& d) {
    // Appended piece by piece: GCC 12 at -O3 mistakes `"text" + string&&` for an overlapping copy
    // (-Wrestrict).
    std::string out;
    auto put = [&out](std::initializer_list<std::string_view> pieces) {
        for (std::string_view piece : pieces) out += piece;
    };
    if (d.PoolIsLexicon)
        put({"pool lexicon\n"});
    else
        put({"pool items ", WrittenPoolFile(d.PoolFile), "\n"});
    if (d.Lemmas) put({"lemmas\n"});
    if (d.RulePronunciations) put({"rule-pronunciations\n"});
    for (const DesignFilter& f : d.Filters)
        put({"filter ", FieldName(f.Field), " ", FilterText(f), "\n"});
    for (const DesignSplit& s : d.Splits) {
        put({"split ", FieldName(s.Field)});
        for (const ValueRange& l : s.Levels)
            put({" ", DesignNumber(l.Low), "-", DesignNumber(l.High)});
        put({"\n"});
    }
    for (const DesignControl& c : d.Controls) {
        put({"control ", FieldName(c.Field)});
        if (!c.Exact) put({" ", DesignNumber(c.Offsets.Low), " ", DesignNumber(c.Offsets.High)});
        put({"\n"});
    }
    if (d.HasGenerate) {
        put({"generate ", std::to_string(d.Rows), " match ",
             d.Match == ReferenceChoice::Balanced ? "balanced"
             : d.Match == ReferenceChoice::First  ? "first"
                                                  : "random"});
        if (d.Seed) put({" seed ", std::to_string(*d.Seed)});
        put({"\n"});
    }
    return out;
}

std::vector<int> DesignFields(const Design& d) {
    std::vector<int> fields;
    auto add = [&](int f) {
        if (std::find(fields.begin(), fields.end(), f) == fields.end()) fields.push_back(f);
    };
    for (const DesignFilter& f : d.Filters) add(f.Field);
    for (const DesignSplit& s : d.Splits) add(s.Field);
    for (const DesignControl& c : d.Controls) add(c.Field);
    return fields;
}

} // namespace zirtel
