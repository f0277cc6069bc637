// The grid-free statistics call over the hand-made lexicon tests/data/measures/nwfreq_EUS.txt:
// the cells of the requested fields only, with no row, list or table touched that the request
// does not need.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/analysis/item_statistics.h"
#include "core/measures/measure_run.h"

namespace zirtel::test {
namespace {

TEST(ItemStatistics, CellsOfTheRequestedFieldsWithoutAGrid) {
    MeasureRun run({});
    Workspace& ws = run.ws;
    MeasureContext ctx = ws.Measures();
    const auto at = [](const std::vector<std::string>& cells, FieldId f) {
        return cells.at(static_cast<std::size_t>(FieldIndex(f)));
    };

    // uar: not a word; swapping letters 2-3 gives ura (20). ala: one substitution neighbour,
    // ama (80, more frequent than ala's 40).
    const FieldSet fields = FieldsNamed({"tl", "TL_KOK", "LUZ_L", "H_MAIZT", "N", "HFN"});
    std::vector<std::string> cells = ItemStatistics(ctx, "uar", fields);
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(kFieldCount));
    EXPECT_EQ(at(cells, FieldId::kTL), "ura");
    EXPECT_EQ(at(cells, FieldId::kTL_KOK), "   2");
    EXPECT_EQ(at(cells, FieldId::kLUZ_L), "   3");
    EXPECT_EQ(at(cells, FieldId::kH_MAIZT), "   0.00");
    EXPECT_EQ(at(cells, FieldId::kTL_MAIZT), ""); // measured with TL, but not requested
    cells = ItemStatistics(ctx, "ala", fields, 1);
    EXPECT_EQ(at(cells, FieldId::kH_MAIZT), "   40.0");
    EXPECT_EQ(at(cells, FieldId::kN), "   1");
    EXPECT_EQ(at(cells, FieldId::kHFN), "   1");
    int written = 0;
    for (const std::string& c : cells) written += c.empty() ? 0 : 1;
    EXPECT_EQ(written, 4); // ala has no transposed-letter word

    // Nothing of the results or the neighbour lists changed; no table was read.
    EXPECT_EQ(ws.NextRow, 1);
    EXPECT_EQ(ws.OutputGrid.Cell(1, 1), "");
    EXPECT_EQ(ws.OrthoNeighbours.CurrentRow, 1);
    EXPECT_EQ(ws.OrthoNeighbours.NeighList.Cell(0, 1), "");
    EXPECT_FALSE(ws.Setup.BigramTablesLoaded);

    // A bigram field reads the bigram files; an item of one letter or 19 is not measured, and
    // nobody is told.
    EXPECT_EQ(at(ItemStatistics(ctx, "ez", MakeFieldSet({FieldId::kLUZ_L})), FieldId::kLUZ_L),
              "   2");
    ItemStatistics(ctx, "ez", MakeFieldSet({FieldId::k1_BM}));
    EXPECT_TRUE(ws.Setup.BigramTablesLoaded);
    EXPECT_TRUE(ItemStatistics(ctx, "a", fields).empty());
    EXPECT_TRUE(ItemStatistics(ctx, std::string(19, 'a'), fields).empty());
    EXPECT_TRUE(run.fb.Messages.empty());

    EXPECT_THROW(FieldsNamed({"N", "NOPE"}), std::invalid_argument);
    // The grid path gives the same cells.
    ws.Setup.Options.UntickAllFields();
    for (const char* box : {"TLBox", "TLPosBox", "LenLBox", "W_FREQ_Box", "NBox", "HFNBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.AssignColumns();
    EXPECT_EQ(ws.ShownFields(), fields);
    run.Analyse({"uar"});
    cells = ItemStatistics(ctx, "uar", fields);
    const auto& cat = FieldCatalogue();
    for (int f = 0; f < kFieldCount; ++f) {
        if (!fields[static_cast<std::size_t>(f)]) continue;
        EXPECT_EQ(ws.OutputGrid.Cell(ws.Columns.*cat[static_cast<std::size_t>(f)].Col, 1),
                  cells[static_cast<std::size_t>(f)]);
    }
}

// zzzz is no word and the rules are not used: it has no pronunciation and no syllabification,
// so every field the table marks as reading them is missing, and no other field for that reason.
TEST(ItemStatistics, AnItemWithoutPhonologyIsMissingInEveryFieldThatReadsIt) {
    MeasureRun run({});
    MeasureContext ctx = run.ws.Measures();
    FieldSet fields;
    for (const FieldInfo& f : FieldCatalogue())
        if (f.UserField == 0) fields.set(static_cast<std::size_t>(FieldIndex(f.Id)));
    const std::vector<Value> values = ItemValues(ctx, "zzzz", fields);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kFieldCount));
    int readers = 0;
    for (const FieldInfo& f : FieldCatalogue()) {
        if (f.UserField > 0) continue;
        const Value& v = values[static_cast<std::size_t>(FieldIndex(f.Id))];
        if (f.ReadsPhonology) {
            ++readers;
            EXPECT_TRUE(v.IsMissing()) << f.Mnemonic;
        } else {
            EXPECT_NE(v.Reason(), MissingReason::NoPronunciation) << f.Mnemonic;
        }
    }
    EXPECT_GT(readers, 0);
}

} // namespace
} // namespace zirtel::test
