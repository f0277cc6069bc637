#include "core/lexicon/morphology.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

const Morphology::Family* Morphology::OfForm(std::string_view form) const {
    const int i = FormIndex_.Find(Forms_, form);
    return i < 0 ? nullptr
                 : &Families_[static_cast<std::size_t>(MainFamily_[static_cast<std::size_t>(i)])];
}

void Morphology::Build(const std::vector<Pair>& pairs, const Lexicon& lemmas,
                       const Lexicon& wholeWords) {
    Families_.clear();
    Forms_.clear();
    MainFamily_.clear();
    std::unordered_map<std::string, int> familyOf, formOf;
    std::vector<double> bestShare;
    std::vector<std::vector<int>> members; // whole-word entries of each family
    for (const Pair& p : pairs) {
        const std::string lemma = LowerLatin1(p.Lemma);
        auto [f, newFamily] = familyOf.emplace(lemma, static_cast<int>(Families_.size()));
        if (newFamily) {
            Family family{.Lemma = lemma};
            const int l = lemmas.Find(lemma);
            if (l >= 0) family.LemmaFreq = lemmas.LexFreqs[static_cast<std::size_t>(l)];
            Families_.push_back(std::move(family));
            members.emplace_back();
        }
        const int entry = wholeWords.Find(p.Form);
        if (entry >= 0) members[static_cast<std::size_t>(f->second)].push_back(entry);
        const std::string form = LowerLatin1(p.Form);
        auto [at, newForm] = formOf.emplace(form, static_cast<int>(Forms_.size()));
        if (newForm) {
            Forms_.push_back(form);
            MainFamily_.push_back(f->second);
            bestShare.push_back(p.Share);
        } else if (p.Share > bestShare[static_cast<std::size_t>(at->second)]) {
            MainFamily_[static_cast<std::size_t>(at->second)] = f->second;
            bestShare[static_cast<std::size_t>(at->second)] = p.Share;
        }
    }
    for (std::size_t i = 0; i < Families_.size(); ++i) {
        std::vector<int>& m = members[i];
        std::sort(m.begin(), m.end());
        m.erase(std::unique(m.begin(), m.end()), m.end());
        Family& family = Families_[i];
        family.Forms = static_cast<int>(m.size());
        for (int e : m) family.FreqSum += wholeWords.LexFreqs[static_cast<std::size_t>(e)];
        for (int e : m) {
            const double p = wholeWords.LexFreqs[static_cast<std::size_t>(e)] / family.FreqSum;
            if (p > 0.0) family.Entropy -= p * std::log2(p);
        }
    }
    FormIndex_.Build(Forms_);
}

bool LoadMorphology(const std::filesystem::path& path, const Lexicon& lemmas,
                    const Lexicon& wholeWords, Morphology& morphology, Feedback& feedback) {
    morphology = Morphology();
    const auto cannotOpen = [&] {
        morphology = Morphology();
        feedback.ShowMessage("Fitxategi-errorea", "Ezin da ireki formen fitxategia",
                             MessageButtons::OkCancel);
        return false;
    };
    const std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return cannotOpen();
    BusyCursor busy(feedback);
    std::vector<Morphology::Pair> pairs;
    std::size_t lineNumber = 0, badCount = 0, firstBad = 0;
    for (std::string_view line : SplitLines(file->Text)) {
        ++lineNumber;
        const std::vector<std::string_view> t = SplitTokens(line);
        if (t.empty()) continue;
        const std::optional<float> share = t.size() == 3 ? ParseFloat(t[2]) : std::nullopt;
        if (!share || !(*share >= 0.0f && *share <= 1.0f)) {
            if (badCount++ == 0) firstBad = lineNumber;
            continue;
        }
        pairs.push_back({std::string(t[0]), std::string(t[1]), *share});
    }
    if (badCount > 0)
        feedback.ShowMessage("Abisua",
                             path.string() + ": " + std::to_string(badCount) +
                                 " lerrok ez dute forma, lema eta zatia, eta ez dira erabiliko; "
                                 "lehena " +
                                 std::to_string(firstBad) + ". lerroan.",
                             MessageButtons::Ok);
    if (pairs.empty()) return cannotOpen();
    morphology.Build(pairs, lemmas, wholeWords);
    return true;
}

} // namespace zirtel
