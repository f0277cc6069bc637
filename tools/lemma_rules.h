// The rules that give a word form its lemmas, from the analyser's analyses or, for a form the
// analyser does not know, from the Basque Hunspell dictionary's stems.
//
// From the analyser (every analysis of the form, then these rules):
//   - after a prefix (a first part tagged <cnjsub>: ba+jakin, bait+izan) the lemma is that of
//     the part after it, the verb's;
//   - a main verb wins over the auxiliaries edin and ezan, and among the prefixed analyses over
//     izan and ukan too: badakit is ba+jakin, never ba+edin;
//   - an analysis that is the whole form as one adverb, conjunction or interjection (beraz,
//     aurretik, ondoren: postpositional forms the analyser lexicalises) wins over the analyses
//     that cut the form into lemma and endings (bera+a+z, ondo+en);
//   - the analyser's stems of the personal pronouns are written as the pronouns: ber (bere,
//     beren) is bera, en (ene) is ni;
//   - a lemma must be a word the Basque Hunspell dictionary accepts, or one of the auxiliaries
//     ukan, edin and ezan; the analyses with other lemmas are dropped.
// From Hunspell, for a form the analyser does not know (or whose lemmas were all dropped):
//   - a form that is itself one of its stems is its own lemma (pazko, not pa);
//   - a prefixed auxiliary (Hunspell's bait+zen, bai+naiz) takes the verb of the auxiliary form
//     after the prefix, as the analyser gives it (zen -> izan, du -> ukan);
//   - a stem the analyser knows as a form takes that form's lemmas (gerta -> gertatu, ikus ->
//     ikusi, andre -> andre); a stem ending in -rr is written with one r (eskerr -> esker,
//     jatorr -> jator) when the analyser or Hunspell knows that word; a bare verb stem whose
//     verb in -tu the analyser or Hunspell knows takes it (desitxura -> desitxuratu);
//   - any other stem is the lemma as Hunspell gives it.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lemma_analyser.h"

namespace zirtel::tools {

struct AnalyserLemmas {
    std::vector<TaggedLemma> Lemmas; // distinct, in the analyser's order (UTF-8)
    bool Prefixed = false;           // a prefix was taken off
    int Dropped = 0;                 // lemmas refused as words
};

// The lemmas of a form (UTF-8) from its analyses; `isWord` says whether Hunspell accepts a word.
AnalyserLemmas LemmasFromAnalyses(const std::string& form, const std::vector<Analysis>& analyses,
                                  const std::function<bool(const std::string&)>& isWord);

// What Hunspell says of a form (UTF-8): its stems and whether an analysis has a prefix.
struct HunspellView {
    std::vector<std::string> Stems;
    bool Prefixed = false;
};

// The stems for which Hunspell's lemmas need the analyser's word (ResolveStems): each stem and,
// for a stem in -rr, the stem with one r.
std::vector<std::string> StemsToAnalyse(const HunspellView& view);

struct StemLemmas {
    std::vector<TaggedLemma> Tagged; // lemmas that came through the analyser
    std::vector<std::string> Lemmas; // every lemma (UTF-8), in order, distinct
    bool Folded = false;             // a stem was replaced by a fuller lemma
};

// The lemmas of a form the analyser does not know, from Hunspell's view of it. `stemAnalyses`
// holds the analyser's analyses of the stems (StemsToAnalyse), `analyserLemmas` every lemma the
// analyser gave any form.
StemLemmas LemmasFromStems(const std::string& form, const HunspellView& view,
                           const std::map<std::string, std::vector<Analysis>>& stemAnalyses,
                           const std::set<std::string>& analyserLemmas,
                           const std::function<bool(const std::string&)>& isWord);

} // namespace zirtel::tools
