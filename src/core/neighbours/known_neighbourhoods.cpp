#include "core/neighbours/known_neighbourhoods.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <istream>
#include <limits>
#include <system_error>

#include "core/text/latin1.h"
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
    // Means of distances and of Zipf values: finite and not negative.
    if (r.ec != std::errc() || r.ptr != field.data() + field.size() || !std::isfinite(v) || v < 0.0)
        return false;
    value = v;
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

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
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

std::string
NeighbourhoodSectionText(std::string_view name, std::string_view digest,
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

void KnownNeighbourhoods::Clear() {
    Keys_.clear();
    Rows_.clear();
    Slots_.clear();
}

bool KnownNeighbourhoods::Add(std::string_view line) {
    std::string_view fields[3];
    std::optional<double> mean, zipfMean;
    if (!ThreeFields(line, fields) || fields[0].empty() || !ReadNumber(fields[1], mean) ||
        !ReadNumber(fields[2], zipfMean))
        return false;
    const std::size_t at = Keys_.size();
    Keys_ += fields[0];
    // The file is UTF-8; the engine's keys are Latin-1 (ñ).
    if (!IsAscii(fields[0])) {
        const Latin1Conversion latin1 = Utf8ToLatin1(fields[0]);
        if (latin1.Unmapped != 0) return false;
        Keys_.resize(at);
        Keys_ += latin1.Text;
    }
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    Rows_.push_back({.KeyAt = static_cast<std::uint32_t>(at),
                     .KeyLength = static_cast<std::uint32_t>(Keys_.size() - at),
                     .Mean = mean.value_or(kNone),
                     .ZipfMean = zipfMean.value_or(kNone)});
    return true;
}

void KnownNeighbourhoods::Read(std::istream& in, std::string_view name, std::string_view digest) {
    Clear();
    const std::string header = "#\t" + std::string(name) + '\t';
    std::string line;
    bool found = false;
    while (std::getline(in, line))
        if (line.starts_with(header)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            found = std::string_view(line).substr(header.size()) == digest;
            break;
        }
    if (!found) return;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('#')) break;
        if (!Add(line)) {
            Clear();
            return;
        }
    }
    std::size_t slots = 16;
    while (slots < 2 * Rows_.size()) slots *= 2;
    Slots_.assign(slots, 0);
    for (std::size_t r = 0; r < Rows_.size(); ++r) {
        const std::string_view key(Keys_.data() + Rows_[r].KeyAt, Rows_[r].KeyLength);
        std::size_t slot = std::hash<std::string_view>{}(key) & (slots - 1);
        // A key listed twice keeps its first row.
        bool listed = false;
        while (Slots_[slot] != 0 && !listed) {
            const Row& other = Rows_[Slots_[slot] - 1];
            listed = std::string_view(Keys_.data() + other.KeyAt, other.KeyLength) == key;
            slot = (slot + 1) & (slots - 1);
        }
        if (!listed) Slots_[slot] = static_cast<std::uint32_t>(r + 1);
    }
}

std::optional<Neighbourhood> KnownNeighbourhoods::Find(std::string_view key) const {
    if (Slots_.empty()) return std::nullopt;
    const std::size_t mask = Slots_.size() - 1;
    for (std::size_t slot = std::hash<std::string_view>{}(key)&mask; Slots_[slot] != 0;
         slot = (slot + 1) & mask) {
        const Row& row = Rows_[Slots_[slot] - 1];
        if (std::string_view(Keys_.data() + row.KeyAt, row.KeyLength) != key) continue;
        const auto value = [](double v) {
            return std::isnan(v) ? std::nullopt : std::optional<double>(v);
        };
        return Neighbourhood{.Mean = value(row.Mean), .ZipfMean = value(row.ZipfMean)};
    }
    return std::nullopt;
}

} // namespace zirtel
