// Syllable frequencies over the hand-made lexicon tests/data/measures/nwfreq_EUS.txt (22
// entries). Spoken first syllables of the two-syllable words: a (ala 40, hala 90, Hala 300),
// 'a (ama 80), ka (kafe 9, kafé 4), ... ; written second syllables: la (ala, hala, Hala),
// f (kafé 4 and sofá 2, cut before the accented letter), re (sare 15, xare 3), ...
#include <gtest/gtest.h>

#include "core/measures/syllable_tables.h"
#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

const std::initializer_list<const char*> kAllSyllableBoxes = {
    "PSF1_TP_Box", "PSF1_TK_Box", "PSF1_Max_Box", "PSF2_TP_Box", "PSF2_TK_Box", "PSF2_Max_Box",
    "PSF3_TP_Box", "PSF3_TK_Box", "PSF3_Max_Box", "OSF1_TP_Box", "OSF1_TK_Box", "OSF1_Max_Box",
    "OSF2_TP_Box", "OSF2_TK_Box", "OSF2_Max_Box", "OSF3_TP_Box", "OSF3_TK_Box", "OSF3_Max_Box"};

struct Triple {
    std::string Type, Token, Max;
    bool operator==(const Triple&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Triple& t) {
    return os << '"' << t.Type << "\" \"" << t.Token << "\" \"" << t.Max << '"';
}

Triple Phon(const MeasureRun& run, int row, int syllable) {
    switch (syllable) {
    case 1:
        return {run.Cell(row, &FC::Col_FSM1_TP), run.Cell(row, &FC::Col_FSM1_TK),
                run.Cell(row, &FC::Col_FSM1_MAX)};
    case 2:
        return {run.Cell(row, &FC::Col_FSM2_TP), run.Cell(row, &FC::Col_FSM2_TK),
                run.Cell(row, &FC::Col_FSM2_MAX)};
    default:
        return {run.Cell(row, &FC::Col_FSM3_TP), run.Cell(row, &FC::Col_FSM3_TK),
                run.Cell(row, &FC::Col_FSM3_MAX)};
    }
}

Triple Orth(const MeasureRun& run, int row, int syllable) {
    switch (syllable) {
    case 1:
        return {run.Cell(row, &FC::Col_OSM1_TP), run.Cell(row, &FC::Col_OSM1_TK),
                run.Cell(row, &FC::Col_OSM1_MAX)};
    case 2:
        return {run.Cell(row, &FC::Col_OSM2_TP), run.Cell(row, &FC::Col_OSM2_TK),
                run.Cell(row, &FC::Col_OSM2_MAX)};
    default:
        return {run.Cell(row, &FC::Col_OSM3_TP), run.Cell(row, &FC::Col_OSM3_TK),
                run.Cell(row, &FC::Col_OSM3_MAX)};
    }
}

const Triple kEmpty{"", "", ""};

TEST(SyllableMeasures, SpokenSyllablesOfTwoAndThreeSyllableWords) {
    MeasureRun run(kAllSyllableBoxes);
    run.Analyse(
        {"ala", "ama", "alaba", "etxea", "sare", "xare", "kaf\xE9", "ez", "abereak", "zu", "zzzz"});
    EXPECT_TRUE(run.fb.Messages.empty());
    // ala a-la: a and la are shared by ala, hala and Hala (40 + 90 + 300, highest 300).
    EXPECT_EQ(Phon(run, 1, 1), (Triple{"   3", " 430.00", " 300.00"}));
    EXPECT_EQ(Phon(run, 1, 2), (Triple{"   3", " 430.00", " 300.00"}));
    EXPECT_EQ(Phon(run, 1, 3), kEmpty);
    // ama 'a-ma: the stress mark makes 'a another syllable than a.
    EXPECT_EQ(Phon(run, 2, 1), (Triple{"   1", "  80.00", "  80.00"}));
    // alaba a-la-ba: three-syllable words are counted apart from two-syllable ones.
    EXPECT_EQ(Phon(run, 3, 1), (Triple{"   1", "  45.00", "  45.00"}));
    EXPECT_EQ(Phon(run, 3, 2), (Triple{"   1", "  45.00", "  45.00"}));
    EXPECT_EQ(Phon(run, 3, 3), (Triple{"   1", "  45.00", "  45.00"}));
    // etxea 'e-tSe-a: third syllable a shared with mendia (120 + 50).
    EXPECT_EQ(Phon(run, 4, 1), (Triple{"   1", " 120.00", " 120.00"}));
    EXPECT_EQ(Phon(run, 4, 2), (Triple{"   1", " 120.00", " 120.00"}));
    EXPECT_EQ(Phon(run, 4, 3), (Triple{"   2", " 170.00", " 120.00"}));
    // sare sa-re and xare Sa-re: sa and Sa differ in letter case; re is shared (15 + 3).
    EXPECT_EQ(Phon(run, 5, 1), (Triple{"   1", "  15.00", "  15.00"}));
    EXPECT_EQ(Phon(run, 5, 2), (Triple{"   2", "  18.00", "  15.00"}));
    EXPECT_EQ(Phon(run, 6, 1), (Triple{"   1", "   3.00", "   3.00"}));
    // kafé ka-'fe: ka shared with kafe (9 + 4); the second syllable keeps its stress mark, so
    // 'fe is not kafe's fe.
    EXPECT_EQ(Phon(run, 7, 1), (Triple{"   2", "  13.00", "   9.00"}));
    EXPECT_EQ(Phon(run, 7, 2), (Triple{"   1", "   4.00", "   4.00"}));
    // One syllable (ez; zu su- with its last "-" not counted), four syllables, not a word.
    for (int row : {8, 9, 10, 11})
        for (int s : {1, 2, 3}) EXPECT_EQ(Phon(run, row, s), kEmpty) << row << ' ' << s;
}

TEST(SyllableMeasures, WrittenSyllablesOfTwoAndThreeSyllableWords) {
    MeasureRun run(kAllSyllableBoxes);
    run.Analyse({"hala", "alaba", "etxea", "kaf\xE9",
                 "\xF1"
                 "abar",
                 "ama", "abereak"});
    // hala ha-la: ha is hala's alone (Ha of Hala differs in case); la is shared by three.
    EXPECT_EQ(Orth(run, 1, 1), (Triple{"   1", "  90.00", "  90.00"}));
    EXPECT_EQ(Orth(run, 1, 2), (Triple{"   3", " 430.00", " 300.00"}));
    EXPECT_EQ(Orth(run, 1, 3), kEmpty);
    // alaba a-la-ba: a in first place of a three-syllable word (ala and ama do not count).
    EXPECT_EQ(Orth(run, 2, 1), (Triple{"   1", "  45.00", "  45.00"}));
    EXPECT_EQ(Orth(run, 2, 3), (Triple{"   1", "  45.00", "  45.00"}));
    // etxea e-txe-a: a shared with mendia.
    EXPECT_EQ(Orth(run, 3, 3), (Triple{"   2", " 170.00", " 120.00"}));
    // kafé ka-fé: the second syllable stops before é, so it is f, shared with sofá's.
    EXPECT_EQ(Orth(run, 4, 2), (Triple{"   2", "   6.00", "   4.00"}));
    // ñabar ña-bar: a first syllable keeps its ñ.
    EXPECT_EQ(Orth(run, 5, 1), (Triple{"   1", "   6.00", "   6.00"}));
    // ama a-ma: a shared with ala (40 + 80).
    EXPECT_EQ(Orth(run, 6, 1), (Triple{"   2", " 120.00", "  80.00"}));
    for (int s : {1, 2, 3}) EXPECT_EQ(Orth(run, 7, s), kEmpty);
}

TEST(SyllableMeasures, TablesAreBuiltOnceAndAgainAfterTheLexiconIsLoaded) {
    MeasureRun run({"PSF1_TP_Box", "OSF3_TP_Box"});
    const std::string label = "Maiztasun silabikoak kalkulatzen ... ";
    run.ws.EnterTypedItem("ala");
    EXPECT_EQ(run.ProgressCount(label), 0);
    run.ws.AnalyseAll();
    run.ws.AnalyseAll();
    // One build per set (spoken, written), each behind a window that is closed when done.
    EXPECT_EQ(run.ProgressCount(label), 2);
    for (const auto& p : run.fb.Progresses) {
        if (p->Label != label) continue;
        EXPECT_FALSE(p->Open);
        EXPECT_EQ(p->Max, 22);
        EXPECT_EQ(p->Position, 22);
    }
    EXPECT_EQ(run.fb.BusyDepth, 0);
    EXPECT_EQ(run.Cell(1, &FC::Col_FSM1_TP), "   3");

    // The lemmas leave the tables as they are; the whole-word lexicon loaded again discards
    // them, and the next analysis builds both sets again.
    run.ws.UseLemmaLexicon();
    EXPECT_EQ(run.ProgressCount(label), 2);
    EXPECT_EQ(run.Cell(1, &FC::Col_FSM1_TP), "   3"); // from the whole words, as before
    run.ws.UseWholeWordLexicon();
    EXPECT_EQ(run.ProgressCount(label), 4);
    EXPECT_EQ(run.Cell(1, &FC::Col_FSM1_TP), "   3");
}

TEST(SyllableTables, SyllablesOfATextAndTheirCount) {
    EXPECT_EQ(SyllableCount("a-la-ba"), 3);
    EXPECT_EQ(SyllableCount("su-"), 1);
    EXPECT_EQ(SyllableCount(""), 1);
    EXPECT_EQ(ExtractSyllable("'e-tSe-a", 1), "'e");
    EXPECT_EQ(ExtractSyllable("'e-tSe-a", 2), "tSe");
    EXPECT_EQ(ExtractSyllable("'e-tSe-a", 3), "a");
    EXPECT_EQ(ExtractSyllable("ka-'fe", 2), "'fe");
    // The middle dot separates too; a later syllable ends at a mark, a digit or an accented
    // letter, a first one does not.
    EXPECT_EQ(ExtractSyllable("ka\xB7mi-no", 2), "mi");
    EXPECT_EQ(ExtractSyllable("ka\xB7mi-no", 3), "no");
    EXPECT_EQ(ExtractSyllable("ma-ri'a", 2), "ri");
    EXPECT_EQ(ExtractSyllable("\xF1o-b\xF1", 1), "\xF1o");
    EXPECT_EQ(ExtractSyllable("\xF1o-b\xF1", 2), "b");
    // A separator at the very end leaves an empty syllable, never a read past the text.
    EXPECT_EQ(ExtractSyllable("a-", 2), "");
    EXPECT_EQ(ExtractSyllable("a-b-", 3), "");
    EXPECT_EQ(ExtractSyllable("a", 2), "");
}

} // namespace
} // namespace zirtel::test
