#include "cli/run_settings.h"

#include <cstdio>

#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/measuring_setup.h"
#include "core/generator/pseudoword_generator.h"
#include "core/generator/word_likeness.h"
#include "core/lexicon/user_fields.h"
#include "core/measures/bigram_tables.h"
#include "core/phonology/biphone_tables.h"
#include "core/text/concat.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/sha256.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

// The length of the valid UTF-8 sequence at the start of `s`, or 0.
std::size_t Utf8Length(std::string_view s) {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(0);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    char32_t cp = 0, least = 0;
    if ((b & 0xE0) == 0xC0) {
        n = 2, cp = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, cp = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, cp = b & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// {"file": ..., "sha256": ...}
std::string FileEntry(const fs::path& path, std::string_view extra = {}) {
    const std::optional<std::string> digest = Sha256FileHex(path);
    const std::string file = JsonString(PathText(path));
    const std::string sha = digest ? JsonString(*digest) : std::string("null");
    return Concat({"{", extra, "\"file\": ", file, ", \"sha256\": ", sha, "}"});
}

std::string Bool(bool b) {
    return b ? "true" : "false";
}

std::string Indent(int depth) {
    return std::string(static_cast<std::size_t>(2 * depth), ' ');
}

// The members every settings file starts with.
JsonObject Header(const RunSettings& run) {
    std::vector<std::string> arguments;
    for (const std::string& a : run.Arguments) arguments.push_back(JsonString(a));
    JsonObject json;
    json.AddString("program", run.Program)
        .AddString("version", run.Version)
        .AddList("arguments", std::move(arguments));
    return json;
}

} // namespace

std::string PathText(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().string();
}

std::string JsonString(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    while (!bytes.empty()) {
        const char c = bytes.front();
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else if (const std::size_t n = Utf8Length(bytes); n > 0) {
            out.append(bytes.substr(0, n));
            bytes.remove_prefix(n);
            continue;
        } else {
            out += "\\udc";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        }
        bytes.remove_prefix(1);
    }
    return out + '"';
}

JsonObject& JsonObject::Add(std::string_view key, std::string json) {
    Member m;
    m.Key = key;
    m.Raw = std::move(json);
    Members_.push_back(std::move(m));
    return *this;
}

JsonObject& JsonObject::AddString(std::string_view key, std::string_view text) {
    return Add(key, JsonString(text));
}

JsonObject& JsonObject::AddList(std::string_view key, std::vector<std::string> elements) {
    Member m;
    m.Is = Member::Kind::List;
    m.Key = key;
    m.List = std::move(elements);
    Members_.push_back(std::move(m));
    return *this;
}

JsonObject& JsonObject::AddObject(std::string_view key, JsonObject object) {
    Member m;
    m.Is = Member::Kind::Object;
    m.Key = key;
    m.Object = std::make_shared<JsonObject>(std::move(object));
    Members_.push_back(std::move(m));
    return *this;
}

std::string JsonObject::Body(int depth) const {
    std::string out = "{";
    for (std::size_t m = 0; m < Members_.size(); ++m) {
        const Member& member = Members_[m];
        out += Concat({m == 0 ? "\n" : ",\n", Indent(depth + 1), JsonString(member.Key), ": "});
        switch (member.Is) {
        case Member::Kind::Raw:
            out += member.Raw;
            break;
        case Member::Kind::List:
            out += "[";
            for (std::size_t i = 0; i < member.List.size(); ++i)
                out += Concat({i == 0 ? "\n" : ",\n", Indent(depth + 2), member.List[i]});
            out += member.List.empty() ? std::string("]") : Concat({"\n", Indent(depth + 1), "]"});
            break;
        case Member::Kind::Object:
            out += member.Object->Body(depth + 1);
            break;
        }
    }
    out += Members_.empty() ? std::string("}") : Concat({"\n", Indent(depth), "}"});
    return out;
}

std::string JsonObject::Text() const {
    return Body(0) + "\n";
}

std::string RunSettingsJson(const MeasuringSetup& setup, int decimals, const RunSettings& run,
                            const std::vector<std::optional<fs::path>>& userFiles) {
    std::vector<std::string> dataFiles;
    for (const fs::path& file : DataFilesRead(setup)) dataFiles.push_back(FileEntry(file));

    std::vector<std::string> userFields;
    for (std::size_t t = 0; t < setup.UserFields.size(); ++t) {
        if (setup.UserFields[t].Name == kUndefinedUserField) continue;
        // Field 1 comes from the data folder's User1.txt unless a file was given for it.
        const bool given = t < userFiles.size() && userFiles[t];
        if (!given && t != 0) continue;
        const fs::path file = given ? *userFiles[t] : setup.AppDir / kUserField1File;
        userFields.push_back(
            FileEntry(file, "\"field\": \"USER" + std::to_string(t + 1) + "\", \"name\": " +
                                JsonString(Latin1ToUtf8(setup.UserFields[t].Name)) + ", "));
    }

    // The measured fields, in column order (the catalogue's).
    std::vector<std::string> fields;
    for (int f = 0; f < kFieldCount; ++f)
        if (setup.Options.FieldTicked(f))
            fields.push_back(JsonString(FieldCatalogue()[static_cast<std::size_t>(f)].Mnemonic));

    JsonObject options;
    const auto& boxes = OptionBoxes();
    for (std::size_t b = 0; b < boxes.size(); ++b)
        options.Add(boxes[b].Name, Bool(setup.Options.Ticked(static_cast<int>(b))));

    JsonObject json = Header(run);
    json.Add("items", run.Items ? FileEntry(*run.Items) : std::string("null"))
        .AddString("data_dir", PathText(setup.AppDir))
        .AddList("data_files", std::move(dataFiles))
        .AddList("user_fields", std::move(userFields))
        .Add("lexicon", setup.LemmasCurrent ? "\"lemma\"" : "\"whole-word\"")
        .Add("decimals", std::to_string(decimals))
        .Add("missing", run.Missing ? JsonString(*run.Missing) : std::string("null"))
        .Add("plain", Bool(run.Plain))
        .AddList("fields", std::move(fields))
        .AddObject("options", std::move(options));
    if (run.DesignFile) json.Add("design_file", FileEntry(*run.DesignFile));
    if (run.Design) {
        // One statement a line, as the design file would hold them.
        std::vector<std::string> statements;
        std::size_t start = 0;
        for (std::size_t end; (end = run.Design->find('\n', start)) != std::string::npos;
             start = end + 1)
            statements.push_back(
                JsonString(std::string_view(*run.Design).substr(start, end - start)));
        if (start < run.Design->size())
            statements.push_back(JsonString(std::string_view(*run.Design).substr(start)));
        json.AddList("design", std::move(statements));
    }
    if (run.Seed) json.Add("seed", std::to_string(*run.Seed));
    return json.Text();
}

std::string GenerateSettingsJson(const RunSettings& run, const fs::path& dataDir,
                                 const fs::path& templates, const std::optional<fs::path>& exclude,
                                 const GeneratorSettings& settings, const GeneratorRun& result,
                                 const std::optional<fs::path>& dictionary,
                                 const WordLikeness* likeness) {
    const fs::path lexicon = dataDir / kWholeWordFile;
    std::vector<std::string> dataFiles{FileEntry(lexicon)};
    if (!settings.ForeignWords) dataFiles.push_back(FileEntry(dataDir / kOriginFile));
    if (settings.NotSpanish) dataFiles.push_back(FileEntry(dataDir / kSpanishFormFile));
    JsonObject json = Header(run);
    json.AddString("data_dir", PathText(dataDir))
        .AddList("data_files", std::move(dataFiles))
        .AddString("command", "generate")
        .AddString("templates", PathText(templates))
        .Add("templates_file", FileEntry(templates))
        .AddString("lexicon", PathText(lexicon))
        .Add("exclude", exclude ? JsonString(PathText(*exclude)) : std::string("null"))
        .Add("exclude_file", exclude ? FileEntry(*exclude) : std::string("null"))
        .Add("seed", std::to_string(result.Seed))
        .Add("n", std::to_string(settings.Count))
        .AddString("overlap", std::to_string(settings.OverlapNumerator) + "/" +
                                  std::to_string(settings.OverlapDenominator))
        .Add("length_match", Bool(settings.MatchLengths))
        .Add("foreign_words", Bool(settings.ForeignWords))
        .Add("not_spanish", Bool(settings.NotSpanish))
        .Add("max_es_n", settings.MaxSpanishNeighbours < 0
                             ? std::string("null")
                             : std::to_string(settings.MaxSpanishNeighbours))
        .Add("max_candidates", std::to_string(settings.MaxCandidates))
        .Add("allow_dictionary_words", Bool(!dictionary))
        .Add("dictionary_file", dictionary ? FileEntry(*dictionary) : std::string("null"))
        .Add("dictionary_words", std::to_string(result.DictionaryWords));
    if (likeness) {
        std::vector<std::string> telling;
        for (const std::string& w : likeness->Telling)
            telling.push_back(JsonString(Latin1ToUtf8(w)));
        JsonObject check;
        check.Add("strings", std::to_string(likeness->Pseudowords + likeness->Words))
            .Add("words", std::to_string(likeness->Words))
            .Add("correct", std::to_string(likeness->Correct))
            .Add("accuracy_percent", Trim(FormatReal(likeness->Accuracy(), 0, 1)))
            .AddList("telling", std::move(telling));
        json.AddObject("word_likeness", std::move(check));
    }
    json.Add("pseudowords", std::to_string(result.Pseudowords.size()));
    return json.Text();
}

} // namespace zirtel
