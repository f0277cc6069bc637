#include "lemma_rules.h"

#include <algorithm>
#include <array>

namespace zirtel::tools {
namespace {

constexpr std::array<const char*, 4> kAuxiliaries = {"izan", "ukan", "edin", "ezan"};
constexpr std::array<const char*, 3> kWordsAlways = {"ukan", "edin", "ezan"};
// The analyser's stems of personal pronouns, and the pronouns they are written as.
constexpr std::array<std::pair<const char*, const char*>, 2> kPronounStems = {
    {{"ber", "bera"}, {"en", "ni"}}};

bool IsAuxiliary(const std::string& lemma) {
    return std::find(kAuxiliaries.begin(), kAuxiliaries.end(), lemma) != kAuxiliaries.end();
}

bool IsVerbTag(const std::string& tags) {
    return tags.rfind("<vbsint>", 0) == 0 || tags.rfind("<vblex>", 0) == 0 ||
           tags.rfind("<vbper>", 0) == 0;
}

std::string FirstTag(const std::string& tags) {
    const std::size_t close = tags.find('>');
    return close == std::string::npos ? tags : tags.substr(0, close + 1);
}

// An analysis reduced to its lemma.
struct Reading {
    TaggedLemma Lemma;
    std::string Tags;
    bool Prefixed = false;
    bool Whole = false; // one part, whose lemma is the form, an adverb or a conjunction
    bool Cut = false;   // lemma and endings
};

// The word classes of a lexicalised function word: adverbs (aurretik<adv><gen>), conjunctions
// (beraz<cnjloc>), interjections.
bool IsFunctionWordTag(const std::string& tags) {
    return tags.rfind("<adv>", 0) == 0 || tags.rfind("<cnj", 0) == 0 || tags.rfind("<ij>", 0) == 0;
}

template <class T> void AddOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

} // namespace

AnalyserLemmas LemmasFromAnalyses(const std::string& form, const std::vector<Analysis>& analyses,
                                  const std::function<bool(const std::string&)>& isWord) {
    std::vector<Reading> readings;
    for (const Analysis& a : analyses) {
        if (a.Parts.empty()) continue;
        Reading r;
        std::size_t head = 0;
        if (a.Parts.size() > 1 && a.Parts[0].Tags.find("<cnjsub>") != std::string::npos) {
            head = 1;
            r.Prefixed = true;
        }
        const MorphPart& part = a.Parts[head];
        r.Lemma = {part.Lemma, FirstTag(part.Tags)};
        r.Tags = part.Tags;
        r.Whole = a.Parts.size() == 1 && part.Lemma == form && IsFunctionWordTag(part.Tags);
        r.Cut = a.Parts.size() > head + 1;
        if (part.Tags.rfind("<prn><pers>", 0) == 0)
            for (const auto& [stem, pronoun] : kPronounStems)
                if (part.Lemma == stem) r.Lemma.Lemma = pronoun;
        readings.push_back(std::move(r));
    }
    // The whole form as one function word wins over cut readings.
    if (std::any_of(readings.begin(), readings.end(), [](const Reading& r) { return r.Whole; }))
        std::erase_if(readings, [](const Reading& r) { return r.Cut; });
    // A main verb wins over the auxiliaries edin and ezan, and after a prefix over all four.
    auto mainVerb = [](const Reading& r) {
        return IsVerbTag(r.Tags) && !IsAuxiliary(r.Lemma.Lemma);
    };
    const bool anyMain = std::any_of(readings.begin(), readings.end(), mainVerb);
    const bool prefixedMain = std::any_of(readings.begin(), readings.end(), [&](const Reading& r) {
        return r.Prefixed && mainVerb(r);
    });
    std::erase_if(readings, [&](const Reading& r) {
        const std::string& l = r.Lemma.Lemma;
        return (anyMain && (l == "edin" || l == "ezan")) ||
               (prefixedMain && r.Prefixed && IsAuxiliary(l));
    });

    AnalyserLemmas result;
    for (const Reading& r : readings) {
        const std::string& lemma = r.Lemma.Lemma;
        const bool always =
            std::find(kWordsAlways.begin(), kWordsAlways.end(), lemma) != kWordsAlways.end();
        if (!always && !isWord(lemma)) {
            ++result.Dropped;
            continue;
        }
        result.Prefixed = result.Prefixed || r.Prefixed;
        if (std::none_of(result.Lemmas.begin(), result.Lemmas.end(),
                         [&](const TaggedLemma& l) { return l.Lemma == lemma; }))
            result.Lemmas.push_back(r.Lemma);
    }
    return result;
}

std::vector<std::string> StemsToAnalyse(const HunspellView& view) {
    std::vector<std::string> stems;
    for (const std::string& s : view.Stems) {
        AddOnce(stems, s);
        if (s.size() > 2 && s.compare(s.size() - 2, 2, "rr") == 0)
            AddOnce(stems, s.substr(0, s.size() - 1));
    }
    return stems;
}

StemLemmas LemmasFromStems(const std::string& form, const HunspellView& view,
                           const std::map<std::string, std::vector<Analysis>>& stemAnalyses,
                           const std::set<std::string>& analyserLemmas,
                           const std::function<bool(const std::string&)>& isWord) {
    StemLemmas result;
    auto addTagged = [&](const TaggedLemma& l) {
        AddOnce(result.Tagged, l);
        AddOnce(result.Lemmas, l.Lemma);
    };
    // Whether the form goes on after the stem with a verb ending (gerta-tzen, ikus-ten, aloka-tu).
    auto verbEnding = [&](const std::string& stem) {
        if (form.size() < stem.size() + 2 || form.compare(0, stem.size(), stem) != 0) return false;
        const std::string rest = form.substr(stem.size(), 2);
        return rest == "tz" || rest == "te" || rest == "tu" || rest == "ts";
    };
    // The analyser's lemmas of a stem read as a form (verbs only after a prefix; a bare verb
    // stem's verb only before a verb ending); false when it does not know the stem.
    auto throughAnalyser = [&](const std::string& stem) {
        const auto at = stemAnalyses.find(stem);
        if (at == stemAnalyses.end() || at->second.empty()) return false;
        std::vector<Analysis> analyses = at->second;
        if (view.Prefixed) {
            std::vector<Analysis> verbs;
            for (const Analysis& a : analyses)
                if (!a.Parts.empty() && a.Parts[0].Tags.rfind("<vbsint>", 0) == 0)
                    verbs.push_back(a);
            if (!verbs.empty()) analyses = std::move(verbs);
        } else if (!verbEnding(stem)) {
            std::erase_if(analyses, [&](const Analysis& a) {
                return a.Parts.size() == 1 && a.Parts[0].Lemma != stem &&
                       a.Parts[0].Tags.rfind("<vblex>", 0) == 0;
            });
        }
        const AnalyserLemmas lemmas = LemmasFromAnalyses(stem, analyses, isWord);
        if (lemmas.Lemmas.empty()) return false;
        for (const TaggedLemma& l : lemmas.Lemmas) addTagged(l);
        return true;
    };

    if (std::find(view.Stems.begin(), view.Stems.end(), form) != view.Stems.end()) {
        if (!throughAnalyser(form)) AddOnce(result.Lemmas, form);
        return result;
    }
    for (const std::string& stem : view.Stems) {
        const std::size_t before = result.Lemmas.size();
        auto folded = [&] {
            for (std::size_t k = before; k < result.Lemmas.size(); ++k)
                if (result.Lemmas[k] != stem) result.Folded = true;
        };
        if (throughAnalyser(stem)) {
            folded();
            continue;
        }
        if (stem.size() > 2 && stem.compare(stem.size() - 2, 2, "rr") == 0) {
            const std::string one = stem.substr(0, stem.size() - 1);
            if (analyserLemmas.contains(one) || isWord(one)) {
                // The word with one r, with the analyser's word class when it gives it as a lemma.
                bool tagged = false;
                const auto at = stemAnalyses.find(one);
                if (at != stemAnalyses.end())
                    for (const Analysis& a : at->second)
                        if (!tagged && a.Parts.size() == 1 && a.Parts[0].Lemma == one) {
                            addTagged({one, FirstTag(a.Parts[0].Tags)});
                            tagged = true;
                        }
                if (!tagged) AddOnce(result.Lemmas, one);
                folded();
                continue;
            }
        }
        // A bare verb stem before the endings -tu..., -tz...: the verb in -tu.
        const std::string verb = stem + "tu";
        if (!view.Prefixed && verbEnding(stem) && (analyserLemmas.contains(verb) || isWord(verb))) {
            AddOnce(result.Lemmas, verb);
            folded();
            continue;
        }
        AddOnce(result.Lemmas, stem);
    }
    return result;
}

} // namespace zirtel::tools
