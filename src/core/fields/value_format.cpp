#include "core/fields/value_format.h"

#include <array>

#include "core/text/format.h"
#include "core/text/token_reader.h"

namespace zirtel {

namespace {

struct FieldLook {
    ValueFormat Format;
    std::string_view Mark;
    std::string_view TableMark;
    bool User;
};

constexpr std::array<FieldLook, kFieldCount> kLooks = {{
#define ZIRTEL_FIELD(Id, Col, Mnemonic, Header, Width, Pixels, Box, Caption, Group, BoxOrder,      \
                     Ticked, User, Writer, Step, Format, Mark, TableMark, Phon)                    \
    {ValueFormat::Format, Mark, TableMark, User != 0},
#include "core/fields/fields.def"
#undef ZIRTEL_FIELD
}};

const FieldLook& LookOf(FieldId f) {
    return kLooks[static_cast<std::size_t>(FieldIndex(f))];
}

constexpr int kRealWidth = 7;
constexpr int kCountWidth = 4;
constexpr std::size_t kPatternWidth = 15;

void AppendTrimmed(std::string& out, std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    out.append(text.substr(b, e - b));
}

} // namespace

ValueFormat FormatOf(FieldId f) {
    return LookOf(f).Format;
}

std::string_view MarkOf(FieldId f, MissingReason reason) {
    switch (reason) {
    case MissingReason::NoTable:
        return LookOf(f).TableMark;
    case MissingReason::NoPosition:
    case MissingReason::ItemLength:
    case MissingReason::NotMeasured:
    case MissingReason::None:
        return {};
    default:
        return LookOf(f).Mark;
    }
}

bool ShownMissing(const Value& v, const ValueStyle& style) {
    return v.IsMissing() && (style.Missing || v.Reason() != MissingReason::NotInUserFile);
}

void AppendValueText(std::string& out, FieldId f, const Value& v, const ValueStyle& style) {
    const int width = style.Plain ? 0 : kRealWidth;
    switch (v.Kind()) {
    case ValueKind::Count:
        AppendInt(out, v.Integer(), style.Plain ? 0 : kCountWidth);
        return;
    case ValueKind::Real:
        AppendReal(out, v.Number(), width, style.Decimals);
        return;
    case ValueKind::Text:
        if (style.Plain) {
            AppendTrimmed(out, v.Text());
        } else {
            out += v.Text();
            if (FormatOf(f) == ValueFormat::Pattern && v.Text().size() < kPatternWidth)
                out.append(kPatternWidth - v.Text().size(), ' ');
        }
        return;
    case ValueKind::Missing:
        break;
    }
    if (style.Missing) {
        out += *style.Missing;
    } else if (v.Reason() == MissingReason::NotInUserFile) {
        AppendReal(out, 0.0, width, style.Decimals);
    } else if (style.Plain) {
        AppendTrimmed(out, MarkOf(f, v.Reason()));
    } else {
        out += MarkOf(f, v.Reason());
    }
}

std::string ValueText(FieldId f, const Value& v, const ValueStyle& style) {
    std::string out;
    AppendValueText(out, f, v, style);
    return out;
}

} // namespace zirtel
