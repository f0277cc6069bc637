// The lookups of the neighbour searches alone: every text one letter away from six-letter items
// (letters replaced, removed, inserted) looked up in the shipped word list, and every
// pronunciation one phoneme away from the items' pronunciations; first with the lexicon's
// lookups (each candidate built and hashed whole), then with the letter hash index (each
// candidate's hash derived from the item's). Items per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/lexicon.h"
#include "core/text/letters.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

struct Setup {
    Lexicon Lex;
    LetterHashIndex Words{LetterHashIndex::Match::IgnoreCase};
    LetterHashIndex Sounds{LetterHashIndex::Match::Exact};
    std::vector<std::string> Prons;   // hyphen-free pronunciations
    std::vector<std::string> Items;   // six-letter words and made-up items
    std::vector<std::string> Sounded; // pronunciations of six-letter words
};

const Setup& TheSetup() {
    static const Setup s = [] {
        Setup b;
        SilentFeedback ui;
        LoadWholeWordLexicon(fs::path(ZIRTEL_SHIPPED_DATA) / kWholeWordFile, b.Lex, ui);
        b.Words.Build(b.Lex.LexWords);
        for (const std::string& p : b.Lex.LexPhonForms) b.Prons.push_back(RemoveHyphens(p));
        b.Sounds.Build(b.Prons);
        std::mt19937 rng(5);
        for (std::size_t i = 0; i < b.Lex.LexWords.size(); ++i) {
            const std::string& w = b.Lex.LexWords[i];
            if (w.size() != 6) continue;
            b.Items.push_back(w);
            std::string made = w;
            made[rng() % 6] = AlphabetLetter(static_cast<int>(rng() % kAlphabetSize));
            b.Items.push_back(made);
            b.Sounded.push_back(b.Prons[i]);
        }
        return b;
    }();
    return s;
}

// Today's way: each candidate built, then looked up through the lexicon.
int CountByLexicon(const Lexicon& lex, const std::string& item, std::string_view alphabet,
                   bool phon) {
    auto find = [&](const std::string& t) { return phon ? lex.FindPronunciation(t) : lex.Find(t); };
    int n = 0;
    std::string c = item;
    for (std::size_t at = 0; at < item.size(); ++at) {
        for (char l : alphabet) {
            if (l == item[at]) continue;
            c[at] = l;
            n += find(c) >= 0;
        }
        c[at] = item[at];
    }
    for (std::size_t at = 0; at < item.size(); ++at) {
        c.assign(item, 0, at);
        c.append(item, at + 1);
        n += find(c) >= 0;
    }
    for (std::size_t at = 0; at <= item.size(); ++at) {
        c.assign(item, 0, at);
        c.push_back(' ');
        c.append(item, at);
        for (char l : alphabet) {
            c[at] = l;
            n += find(c) >= 0;
        }
    }
    return n;
}

// The letter hash index: candidates built in place, hashes from EditHashes.
int CountByIndex(const LetterHashIndex& index, const std::vector<std::string>& keys,
                 const std::string& item, std::string_view alphabet) {
    const EditHashes h(index, item);
    int n = 0;
    std::string c = item;
    for (std::size_t at = 0; at < item.size(); ++at) {
        for (char l : alphabet) {
            if (l == item[at]) continue;
            c[at] = l;
            n += index.FindHashed(keys, c, h.Substituted(at, l)) >= 0;
        }
        c[at] = item[at];
    }
    for (std::size_t at = 0; at < item.size(); ++at) {
        c.assign(item, 0, at);
        c.append(item, at + 1);
        n += index.FindHashed(keys, c, h.Deleted(at)) >= 0;
    }
    c = " " + item;
    for (std::size_t at = 0; at <= item.size(); ++at) {
        if (at > 0) c[at - 1] = item[at - 1];
        for (char l : alphabet) {
            c[at] = l;
            n += index.FindHashed(keys, c, h.Inserted(at, l)) >= 0;
        }
    }
    return n;
}

std::string OrthoAlphabet() {
    std::string a;
    for (int i = 0; i < kAlphabetSize; ++i) a += AlphabetLetter(i);
    return a;
}

// Each iteration counts the neighbours of the next item, round the list.
template <typename Count>
void EachItem(benchmark::State& state, const std::vector<std::string>& items, Count count) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(count(items[i]));
        if (++i == items.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OrthoLookups_Lexicon(benchmark::State& state) {
    const Setup& s = TheSetup();
    const std::string alphabet = OrthoAlphabet();
    EachItem(state, s.Items,
             [&](const std::string& item) { return CountByLexicon(s.Lex, item, alphabet, false); });
}
BENCHMARK(BM_OrthoLookups_Lexicon);

void BM_OrthoLookups_LetterHashIndex(benchmark::State& state) {
    const Setup& s = TheSetup();
    const std::string alphabet = OrthoAlphabet();
    EachItem(state, s.Items, [&](const std::string& item) {
        return CountByIndex(s.Words, s.Lex.LexWords, item, alphabet);
    });
}
BENCHMARK(BM_OrthoLookups_LetterHashIndex);

void BM_PhonLookups_Lexicon(benchmark::State& state) {
    const Setup& s = TheSetup();
    EachItem(state, s.Sounded, [&](const std::string& item) {
        return CountByLexicon(s.Lex, item, kPhonemeSymbols, true);
    });
}
BENCHMARK(BM_PhonLookups_Lexicon);

void BM_PhonLookups_LetterHashIndex(benchmark::State& state) {
    const Setup& s = TheSetup();
    EachItem(state, s.Sounded, [&](const std::string& item) {
        return CountByIndex(s.Sounds, s.Prons, item, kPhonemeSymbols);
    });
}
BENCHMARK(BM_PhonLookups_LetterHashIndex);

} // namespace

BENCHMARK_MAIN();
