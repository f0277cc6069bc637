#include "cli/run_settings.h"

#include <cstdio>

#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/measures/bigram_tables.h"
#include "core/phonology/biphone_tables.h"
#include "core/text/latin1.h"
#include "core/text/sha256.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

// A JSON string literal of UTF-8 text.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string PathText(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().string();
}

// {"file": ..., "sha256": ...}
std::string FileEntry(const fs::path& path, std::string_view extra = {}) {
    const std::optional<std::string> digest = Sha256FileHex(path);
    return std::string("{") + std::string(extra) + "\"file\": " + Quoted(PathText(path)) +
           ", \"sha256\": " + (digest ? Quoted(*digest) : std::string("null")) + "}";
}

std::string Bool(bool b) {
    return b ? "true" : "false";
}

void AppendList(std::string& out, std::string_view key, const std::vector<std::string>& items,
                bool last = false) {
    out += "  " + Quoted(key) + ": [";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i == 0 ? "\n    " : ",\n    ") + items[i];
    out += items.empty() ? "]" : "\n  ]";
    out += last ? "\n" : ",\n";
}

} // namespace

std::string RunSettingsJson(const Workspace& ws, const RunSettings& run,
                            const std::vector<std::optional<fs::path>>& userFiles) {
    std::vector<std::string> arguments;
    for (const std::string& a : run.Arguments) arguments.push_back(Quoted(a));

    std::vector<std::string> dataFiles;
    dataFiles.push_back(FileEntry(ws.AppDir / kWholeWordFile));
    if (ws.LemmasCurrent) dataFiles.push_back(FileEntry(ws.AppDir / kLemmaFile));
    for (int n = kBigramMinLength; n <= kBigramMaxLength; ++n)
        if (ws.Bigrams.Loaded(n)) dataFiles.push_back(FileEntry(ws.AppDir / BigramFileName(n)));
    for (int n = kMinBiphonePhonemes; n <= kMaxBiphonePhonemes; ++n)
        if (ws.Biphones.Loaded(n))
            dataFiles.push_back(FileEntry(ws.AppDir / ("ZR_BPF" + std::to_string(n) + ".txt")));

    std::vector<std::string> userFields;
    for (std::size_t t = 0; t < ws.UserFields.size(); ++t) {
        if (ws.UserFields[t].Name == kUndefinedUserField) continue;
        // Field 1 comes from the data folder's User1.txt unless a file was given for it.
        const bool given = t < userFiles.size() && userFiles[t];
        if (!given && t != 0) continue;
        const fs::path file = given ? *userFiles[t] : ws.AppDir / kUserField1File;
        userFields.push_back(FileEntry(
            file, "\"field\": \"USER" + std::to_string(t + 1) +
                      "\", \"name\": " + Quoted(Latin1ToUtf8(ws.UserFields[t].Name)) + ", "));
    }

    // The shown fields, in column order (the catalogue's).
    std::vector<std::string> fields;
    for (const FieldInfo& f : FieldCatalogue())
        if (ws.*(f.Col) != 0) fields.push_back(Quoted(f.Mnemonic));

    std::vector<std::string> options;
    const auto& boxes = OptionBoxes();
    for (std::size_t b = 0; b < boxes.size(); ++b)
        options.push_back(Quoted(boxes[b].Name) + ": " +
                          Bool(ws.Options.Ticked(static_cast<int>(b))));

    std::string out = "{\n";
    out += "  \"program\": " + Quoted(run.Program) + ",\n";
    out += "  \"version\": " + Quoted(run.Version) + ",\n";
    AppendList(out, "arguments", arguments);
    out += "  \"items\": " + FileEntry(run.Items) + ",\n";
    out += "  \"data_dir\": " + Quoted(PathText(ws.AppDir)) + ",\n";
    AppendList(out, "data_files", dataFiles);
    AppendList(out, "user_fields", userFields);
    out += std::string("  \"lexicon\": ") + (ws.LemmasCurrent ? "\"lemma\"" : "\"whole-word\"") +
           ",\n";
    out += "  \"decimals\": " + std::to_string(ws.Decimals) + ",\n";
    out += "  \"missing\": " + (run.Missing ? Quoted(*run.Missing) : std::string("null")) + ",\n";
    out += "  \"plain\": " + Bool(run.Plain) + ",\n";
    AppendList(out, "fields", fields);
    out += "  \"options\": {";
    for (std::size_t i = 0; i < options.size(); ++i)
        out += (i == 0 ? "\n    " : ",\n    ") + options[i];
    out += "\n  }\n}\n";
    return out;
}

} // namespace zirtel
