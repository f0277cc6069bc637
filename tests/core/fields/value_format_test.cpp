// The formatting layer: a table of values with the text each output style gives them. The grid
// texts are those the results showed before values existed ("%4d", "%*.*f" of width 7, each
// field's marks); the plain and missing-text columns are worked out by hand from them.
#include "core/fields/value_format.h"

#include <gtest/gtest.h>

namespace zirtel {
namespace {

struct Case {
    FieldId Field;
    Value V;
    int Decimals;
    std::string Grid, Plain, Missing; // Missing: with the missing-value text "NA"
};

TEST(ValueFormat, EveryStyleOfEveryKindOfValue) {
    using R = MissingReason;
    const std::string pad11(11, ' ');
    const std::vector<Case> cases = {
        {FieldId::kN, Value::Count(3), 2, "   3", "3", "   3"},
        {FieldId::kN, Value::Count(12345), 2, "12345", "12345", "12345"},
        {FieldId::kH_MAIZT, Value::Real(3.333), 2, "   3.33", "3.33", "   3.33"},
        {FieldId::kH_MAIZT, Value::Real(3.333), 0, "      3", "3", "      3"},
        // 2.675 is 2.67499999... in binary: rounded as printf rounds it.
        {FieldId::kH_MAIZT, Value::Real(2.675), 2, "   2.67", "2.67", "   2.67"},
        {FieldId::kH_MAIZT, Value::Real(1234567.5), 1, "1234567.5", "1234567.5", "1234567.5"},
        // A log sum of exactly -1 is a value, not a mark.
        {FieldId::kBMLB, Value::Real(-1.0), 2, "  -1.00", "-1.00", "  -1.00"},
        {FieldId::kORT_SILAB, Value::Text("me-sa"), 2, "me-sa", "me-sa", "me-sa"},
        {FieldId::kKB_O, Value::Text("CVCV"), 2, "CVCV" + pad11, "CVCV", "CVCV" + pad11},
        {FieldId::kERREP, Value::Text(""), 2, "", "", ""}, // no repetition: not missing
        {FieldId::kORT_SILAB, Value::Missing(R::NotInLexicon), 2, "-1", "-1", "NA"},
        {FieldId::kHOM, Value::Missing(R::NotFound), 2, "-1", "-1", "NA"},
        {FieldId::kLUZ_S, Value::Missing(R::NoPronunciation), 2, "   -  ", "-", "NA"},
        {FieldId::kZIPF, Value::Missing(R::NotInLexicon), 2, "   -  ", "-", "NA"},
        {FieldId::kBMLB, Value::Missing(R::NoTable), 2, "    -", "-", "NA"},
        {FieldId::k1_BM, Value::Missing(R::NoTable), 2, "-1", "-1", "NA"},
        {FieldId::k3_BM, Value::Missing(R::NoPosition), 2, "", "", "NA"},
        {FieldId::kTK_BB, Value::Missing(R::NoPronunciation), 2, "   -  ", "-", "NA"},
        {FieldId::kTK_BB, Value::Missing(R::NoTable), 2, "-1", "-1", "NA"},
        {FieldId::kBPMLB, Value::Missing(R::NoPronunciation), 2, "    -", "-", "NA"},
        {FieldId::kBPMLBB, Value::Missing(R::NoTable), 2, "-1", "-1", "NA"},
        {FieldId::kPN, Value::Missing(R::NoPronunciation), 2, "", "", "NA"},
        {FieldId::kTL, Value::Missing(R::NotFound), 2, "", "", "NA"},
        {FieldId::kN, Value::Missing(R::ItemLength), 2, "", "", "NA"},
        // A word a user field's file lacks shows as 0 unless missing values are written.
        {FieldId::kUSER1, Value::Missing(R::NotInUserFile), 3, "  0.000", "0.000", "NA"},
    };
    const std::string na = "NA";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Grid);
        EXPECT_EQ(ValueText(c.Field, c.V, {.Decimals = c.Decimals}), c.Grid);
        EXPECT_EQ(ValueText(c.Field, c.V, {.Decimals = c.Decimals, .Plain = true}), c.Plain);
        EXPECT_EQ(ValueText(c.Field, c.V, {.Decimals = c.Decimals, .Missing = &na}), c.Missing);
        EXPECT_EQ(ValueText(c.Field, c.V, {.Decimals = c.Decimals, .Missing = &na, .Plain = true}),
                  c.Missing == "NA" ? "NA" : c.Plain);
    }
}

} // namespace
} // namespace zirtel
