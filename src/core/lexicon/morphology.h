// The morphology of the whole-word lexicon's forms ("formak_EUS.txt": form, lemma, the share of
// the form's count given to that lemma, a line per pair): each form's main lemma (the one with
// the largest share, the first in the file on a tie) and each lemma's family, the forms of the
// whole-word lexicon that have it, with their summed frequency and the inflectional entropy
// (Moscoso del Prado Martín, Kostić & Baayen 2004) of their frequencies.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"

namespace zirtel {

inline constexpr const char* kFormFile = "formak_EUS.txt";

class Morphology {
  public:
    struct Family {
        std::string Lemma;
        float LemmaFreq = -1.0f; // as the lemma file has it; -1 when it does not list the lemma
        int Forms = 0;           // forms of the whole-word lexicon that have the lemma
        double FreqSum = 0.0;    // their summed frequency
        double Entropy = 0.0;    // -sum p log2 p, p = a form's frequency / FreqSum
    };

    bool Empty() const { return Families_.empty(); }
    // The family of the form's main lemma (letter case ignored), or null.
    const Family* OfForm(std::string_view form) const;

    // Builds the table from the form file's pairs (form, lemma, share), the lemma lexicon and
    // the whole-word lexicon's frequencies.
    struct Pair {
        std::string Form, Lemma;
        double Share = 0.0;
    };
    void Build(const std::vector<Pair>& pairs, const Lexicon& lemmas, const Lexicon& wholeWords);

  private:
    std::vector<Family> Families_;
    std::vector<std::string> Forms_; // each form once
    std::vector<int> MainFamily_;    // of form i
    LetterHashIndex FormIndex_{LetterHashIndex::Match::IgnoreCase};
};

// Reads the form file and builds the table. A line without a form, a lemma and a share from 0 to
// 1 gives no pair: one warning names the file, the count of such lines and the first. When the
// file cannot be opened or holds no pair: "Ezin da ireki formen fitxategia" (caption
// "Fitxategi-errorea"), an empty table, false.
bool LoadMorphology(const std::filesystem::path& path, const Lexicon& lemmas,
                    const Lexicon& wholeWords, Morphology& morphology, Feedback& feedback);

} // namespace zirtel
