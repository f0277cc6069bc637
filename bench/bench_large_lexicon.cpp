// A lexicon eighteen times the shipped one: 1,000,000 forms made from the shipped forms by a
// seeded rule (a case or derivational ending added, or one letter changed for another of its
// kind, or both), each with a frequency drawn from its source word's and the syllabification and
// pronunciation the spelling rules give it. The forms are written as a whole-word file and
// measured: the time to load it, the orthographic N family and OLD20 of 10,000 items of six to
// ten letters (half of them forms of the lexicon), and the peak memory of the process.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/analysis/item_statistics.h"
#include "core/analysis/table_store.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/user_fields.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

constexpr std::size_t kForms = 1000000;

std::string MadeForm(std::mt19937_64& rng, const std::string& source) {
    static const char* const endings[] = {"a",   "ak",    "ek",    "ari",  "aren", "an", "ko",
                                          "tik", "ra",    "rekin", "z",    "en",   "ei", "etan",
                                          "ok",  "tasun", "garri", "keta", "tzen", "tu", "ez"};
    static const std::string vowels = "aeiou", consonants = "bdgklmnprstxz";
    std::string form = source;
    const std::uint64_t rule = rng() % 3;
    if (rule != 1) form += endings[rng() % std::size(endings)];
    if (rule != 0) {
        const std::size_t at = rng() % form.size();
        const bool vowel = vowels.find(form[at]) != std::string::npos;
        const std::string& kind = vowel ? vowels : consonants;
        form[at] = kind[rng() % kind.size()];
    }
    return form;
}

struct LargeLexicon {
    fs::path Folder;
    std::size_t Forms = 0;
    std::vector<std::string> Items; // six to ten letters, half of them forms of the lexicon
};

const LargeLexicon* TheLargeLexicon() {
    static const LargeLexicon* large = []() -> const LargeLexicon* {
        SilentFeedback ui;
        Lexicon shipped;
        if (!LoadWholeWordLexicon(fs::path(ZIRTEL_SHIPPED_DATA) / kWholeWordFile, shipped, ui))
            return nullptr;
        struct Line {
            std::string Word;
            float Freq;
        };
        std::vector<Line> lines;
        std::unordered_set<std::string> seen;
        for (int i = 0; i < shipped.Size(); ++i) {
            lines.push_back({shipped.LexWords[i], shipped.LexFreqs[i]});
            seen.insert(shipped.LexWords[i]);
        }
        std::mt19937_64 rng(33);
        while (lines.size() < kForms) {
            const std::size_t source = rng() % static_cast<std::size_t>(shipped.Size());
            std::string form = MadeForm(rng, shipped.LexWords[source]);
            const float freq = shipped.LexFreqs[source] / static_cast<float>(1 + rng() % 100);
            if (form.size() > 24 || !seen.insert(form).second) continue;
            lines.push_back({std::move(form), std::max(freq, 0.01f)});
        }
        std::sort(lines.begin(), lines.end(),
                  [](const Line& a, const Line& b) { return CollateLess(a.Word, b.Word); });
        std::string text;
        char freq[32];
        for (const Line& line : lines) {
            const Pronunciation p = Pronounce(line.Word);
            const std::string syllables = Syllabify(line.Word);
            std::snprintf(freq, sizeof freq, "%.2f", static_cast<double>(line.Freq));
            text += Latin1ToUtf8(line.Word) + '\t' + freq + '\t' +
                    Latin1ToUtf8(syllables.empty() ? line.Word : syllables) + '\t' +
                    (p.Outcome == PronunciationOutcome::Ok ? p.Text : line.Word) + '\n';
        }
        auto* l = new LargeLexicon;
        l->Folder =
            fs::temp_directory_path() / ("zirtel-large-lexicon-" + std::to_string(getpid()));
        fs::create_directories(l->Folder);
        if (!WriteFileAtomically(l->Folder / kWholeWordFile, text)) return nullptr;
        l->Forms = lines.size();
        std::vector<std::size_t> middle;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].Word.size() >= 6 && lines[i].Word.size() <= 10) middle.push_back(i);
        while (l->Items.size() < 10000) {
            std::string item = lines[middle[rng() % middle.size()]].Word;
            if (l->Items.size() % 2) item[rng() % item.size()] = "aeikntz"[rng() % 7];
            l->Items.push_back(std::move(item));
        }
        return l;
    }();
    return large;
}

struct Loaded {
    Lexicon Lex;
    std::array<UserField, 3> UserFields;
    TableStore Tables{fs::path(ZIRTEL_SHIPPED_DATA)};
    SilentFeedback UI;
    MeasureContext Context{
        .Current = Lex, .WholeWords = Lex, .UserFields = UserFields, .Tables = Tables, .UI = UI};
};

const Loaded* TheLoaded() {
    static const Loaded* loaded = []() -> const Loaded* {
        const LargeLexicon* large = TheLargeLexicon();
        if (!large) return nullptr;
        auto* l = new Loaded;
        if (!LoadWholeWordLexicon(large->Folder / kWholeWordFile, l->Lex, l->UI)) return nullptr;
        return l;
    }();
    return loaded;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadMillionForms(benchmark::State& state) {
    const LargeLexicon* large = TheLargeLexicon();
    if (!large) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    for (auto _ : state) {
        Lexicon lex;
        SilentFeedback ui;
        benchmark::DoNotOptimize(LoadWholeWordLexicon(large->Folder / kWholeWordFile, lex, ui));
        state.counters["forms"] = lex.Size();
    }
}
BENCHMARK(BM_LoadMillionForms)->Unit(benchmark::kMillisecond)->UseRealTime();

void MeasureItems(benchmark::State& state, const FieldSet& fields) {
    const Loaded* loaded = TheLoaded();
    if (!loaded) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    MeasureContext ctx = loaded->Context;
    const std::vector<std::string>& items = TheLargeLexicon()->Items;
    RowValues cells;
    MeasureItem(ctx, items.front(), fields, cells); // builds what the fields need
    for (auto _ : state)
        for (const std::string& item : items) MeasureItem(ctx, item, fields, cells);
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(items.size()));
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_OrthoNeighbourFamily(benchmark::State& state) {
    MeasureItems(state, FieldsNamed({"N", "N_STAR", "N1", "N2", "N3", "N4", "N5", "P", "HFN", "HFP",
                                     "LFN", "NF_MAX", "NF_MIN", "NF_MU", "NF_SIG"}));
}
BENCHMARK(BM_OrthoNeighbourFamily)->Unit(benchmark::kMillisecond);

void BM_OLD20(benchmark::State& state) {
    MeasureItems(state, FieldsNamed({"OLD20"}));
}
BENCHMARK(BM_OLD20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (const LargeLexicon* large = TheLargeLexicon()) fs::remove_all(large->Folder);
    std::printf("peak memory of the process: %.0f MB\n", PeakMegabytes());
    return 0;
}
