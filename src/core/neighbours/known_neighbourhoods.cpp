#include "core/neighbours/known_neighbourhoods.h"

#include <charconv>
#include <system_error>

#include "core/text/sha256.h"

namespace zirtel {

namespace {

// Raised whenever the distances, the closest entries or the Zipf means are computed otherwise:
// every section measured before then no longer matches its index.
constexpr std::string_view kMeasuresVersion = "levenshtein-neighbourhoods 1\n";

void AppendNumber(std::string& text, const std::optional<double>& value) {
    if (!value) {
        text += '-';
        return;
    }
    char buffer[32];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, *value);
    text.append(buffer, r.ptr);
}

bool ReadNumber(std::string_view field, std::optional<double>& value) {
    if (field == "-") {
        value.reset();
        return true;
    }
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(field.data(), field.data() + field.size(), v);
    if (r.ec != std::errc() || r.ptr != field.data() + field.size()) return false;
    value = v;
    return true;
}

// The next line of `text` from `at` (without its line feed or carriage return); false at the end.
bool NextLine(std::string_view text, std::size_t& at, std::string_view& line) {
    if (at >= text.size()) return false;
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    return true;
}

// Splits "a\tb\tc" into exactly three fields.
bool ThreeFields(std::string_view line, std::string_view (&fields)[3]) {
    for (int i = 0; i < 2; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return false;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    if (line.find('\t') != std::string_view::npos) return false;
    fields[2] = line;
    return true;
}

} // namespace

std::string NeighbourhoodDigest(const std::vector<std::string>& keys,
                                const std::vector<float>* freqs) {
    std::string bytes(kMeasuresVersion);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        bytes += keys[i];
        if (freqs) {
            bytes += '\t';
            char buffer[32];
            const float f = i < freqs->size() ? (*freqs)[i] : 0.0F;
            const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, f);
            bytes.append(buffer, r.ptr);
        }
        bytes += '\n';
    }
    return Sha256Hex(bytes);
}

std::string NeighbourhoodSectionText(std::string_view name, std::string_view digest,
                                     const std::vector<std::pair<std::string, Neighbourhood>>& rows) {
    std::string text;
    text.reserve(rows.size() * 32 + 100);
    text += "#\t";
    text += name;
    text += '\t';
    text += digest;
    text += '\n';
    for (const auto& [key, n] : rows) {
        text += key;
        text += '\t';
        AppendNumber(text, n.Mean);
        text += '\t';
        AppendNumber(text, n.ZipfMean);
        text += '\n';
    }
    return text;
}

void KnownNeighbourhoods::Read(std::string_view text, std::string_view name,
                               std::string_view digest) {
    Rows_.clear();
    const std::string header = "#\t" + std::string(name) + '\t';
    std::size_t at = 0;
    std::string_view line;
    bool found = false;
    while (NextLine(text, at, line))
        if (line.starts_with(header)) {
            found = line.substr(header.size()) == digest;
            break;
        }
    if (!found) return;
    while (NextLine(text, at, line)) {
        if (line.starts_with('#')) break;
        std::string_view fields[3];
        Neighbourhood n;
        if (!ThreeFields(line, fields) || fields[0].empty() || !ReadNumber(fields[1], n.Mean) ||
            !ReadNumber(fields[2], n.ZipfMean)) {
            Rows_.clear();
            return;
        }
        Rows_.emplace(std::string(fields[0]), n);
    }
}

} // namespace zirtel
