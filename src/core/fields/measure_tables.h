// The tables the measures read, as they see them: each is read (the bigram and biphone tables,
// the word origins and the Spanish words and translations, from the data folder) or built (the
// syllable tables and the Levenshtein indexes, from the whole-word lexicon) on the first call that
// needs it. The measures include the header of the table they use from their own folder; the owner
// of all of them sits above the measures (analysis/table_store.h).
#pragma once

namespace zirtel {

class BigramTables;
class BiphoneTables;
class Feedback;
struct LevenshteinTable;
class Morphology;
class PhonotacticTable;
class PrefixTable;
class Lexicon;
class SpanishWords;
class SyllableTableSet;
class Translations;
class WordOrigins;

class MeasureTables {
  public:
    virtual ~MeasureTables() = default;
    // ZR_BF2.txt .. ZR_BF18.txt.
    virtual const BigramTables& Bigrams(Feedback& feedback) = 0;
    // ZR_BPF2.txt .. ZR_BPF18.txt.
    virtual const BiphoneTables& Biphones(Feedback& feedback) = 0;
    // The word origins of the origin file (JATORRIA).
    virtual const WordOrigins& Origins(Feedback& feedback) = 0;
    // The syllable tables of the lexicon's pronunciations (`spoken`) or syllabifications.
    virtual const SyllableTableSet& Syllables(bool spoken, const Lexicon& wholeWords,
                                              Feedback& feedback) = 0;
    // The Levenshtein indexes of the whole-word lexicon's spellings and pronunciations (OLD20,
    // PLD20), with the neighbourhoods of the data folder that were measured on them.
    virtual const LevenshteinTable& OrthLevenshtein(const Lexicon& wholeWords) = 0;
    virtual const LevenshteinTable& PhonLevenshtein(const Lexicon& wholeWords) = 0;
    // The Spanish forms (es_EUS.txt) or, for the lemmas, the Spanish lemmas (es_lemak_EUS.txt);
    // empty when the file could not be read.
    virtual const SpanishWords& Spanish(bool lemmas, Feedback& feedback) = 0;
    // The Levenshtein index of those words' keys (ES_OLD20), likewise.
    virtual const LevenshteinTable& SpanishLevenshtein(bool lemmas, Feedback& feedback) = 0;
    // The Spanish translations of the Basque lemmas (itzulpenak_EUS.txt).
    virtual const Translations& SpanishTranslations(Feedback& feedback) = 0;
    // The positional segment and pair weights of the whole-word lexicon's pronunciations
    // (`spoken`) or letters (FP_*, OP_*).
    virtual const PhonotacticTable& Phonotactics(bool spoken, const Lexicon& wholeWords) = 0;
    // The whole-word lexicon's pronunciations or spellings in byte order (UP_FON, UP_ORT).
    virtual const PrefixTable& Prefixes(bool spoken, const Lexicon& wholeWords) = 0;
    // The forms' lemmas and the lemmas' families (formak_EUS.txt, with lemak_EUS2.txt); empty
    // when the form file could not be read.
    virtual const Morphology& FormLemmas(const Lexicon& wholeWords, Feedback& feedback) = 0;
};

} // namespace zirtel
