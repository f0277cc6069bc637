#include "core/text/rtf_reader.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace zirtel {

namespace {

constexpr std::size_t kMaxDepth = 512;        // deeper groups share the state of this depth
constexpr long kMaxParameter = 1'000'000'000; // larger numeric parameters are cut to this

// Windows-1252 characters 0x80..0x9F (the help files' code page); 0 where none is defined.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromCodePage(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        const char32_t c = kCp1252High[byte - 0x80];
        return c == 0 ? U'\uFFFD' : c;
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Destinations whose content is not document text.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {"fonttbl",
                                                    "colortbl",
                                                    "stylesheet",
                                                    "info",
                                                    "pict",
                                                    "header",
                                                    "headerl",
                                                    "headerr",
                                                    "headerf",
                                                    "footer",
                                                    "footerl",
                                                    "footerr",
                                                    "footerf",
                                                    "footnote",
                                                    "object",
                                                    "listtable",
                                                    "listoverridetable",
                                                    "rsidtbl",
                                                    "generator",
                                                    "themedata",
                                                    "colorschememapping",
                                                    "datastore",
                                                    "latentstyles",
                                                    "xmlnstbl",
                                                    "filetbl",
                                                    "revtbl",
                                                    "fldinst",
                                                    "nonshppict",
                                                    "bkmkstart",
                                                    "bkmkend"};
    for (std::string_view s : kSkipped)
        if (s == word) return true;
    return false;
}

struct GroupState {
    RtfCharFormat Format;
    int UnicodeSkip = 1; // fallback characters after "\uN" ("\ucN")
    bool Skip = false;   // inside a destination that holds no text
};

class Parser {
  public:
    explicit Parser(std::string_view rtf) : In_(rtf) {}

    RtfDocument Run() {
        Stack_.push_back(GroupState{});
        while (Pos_ < In_.size()) {
            const char c = In_[Pos_++];
            switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                ControlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                Character(FromCodePage(static_cast<unsigned char>(c)));
                break;
            }
        }
        EndParagraph(false);
        return std::move(Doc_);
    }

  private:
    GroupState& State() { return Stack_.back(); }

    void OpenGroup() {
        if (Stack_.size() < kMaxDepth)
            Stack_.push_back(State());
        else
            ++Overflow_;
        PendingSkip_ = 0;
    }

    void CloseGroup() {
        PendingSkip_ = 0;
        if (Overflow_ > 0)
            --Overflow_;
        else if (Stack_.size() > 1)
            Stack_.pop_back();
        // A stray closing brace at the outermost level is ignored.
    }

    // A text character, or a fallback character still to be skipped after "\uN".
    void Character(char32_t c) {
        if (PendingSkip_ > 0) {
            --PendingSkip_;
            return;
        }
        if (State().Skip) return;
        AppendText(c);
    }

    void AppendText(char32_t c) {
        auto& runs = Paragraph_.Runs;
        if (runs.empty() || !(runs.back().Format == State().Format))
            runs.push_back(RtfRun{{}, State().Format});
        AppendUtf8(runs.back().Text, c);
    }

    void EndParagraph(bool always) {
        if (State().Skip) return;
        const RtfAlignment alignment = Paragraph_.Alignment; // lasts until a \pard
        if (always || !Paragraph_.Runs.empty()) Doc_.Paragraphs.push_back(std::move(Paragraph_));
        Paragraph_ = RtfParagraph{};
        Paragraph_.Alignment = alignment;
    }

    void ControlSequence() {
        if (Pos_ >= In_.size()) return; // a backslash at the very end
        const char c = In_[Pos_];
        if (!IsLetter(c)) {
            ++Pos_;
            ControlSymbol(c);
            return;
        }
        const std::size_t start = Pos_;
        while (Pos_ < In_.size() && IsLetter(In_[Pos_]) && Pos_ - start < 32) ++Pos_;
        const std::string_view word = In_.substr(start, Pos_ - start);
        bool hasParam = false;
        bool negative = false;
        long param = 0;
        if (Pos_ < In_.size() && In_[Pos_] == '-' && Pos_ + 1 < In_.size() &&
            In_[Pos_ + 1] >= '0' && In_[Pos_ + 1] <= '9') {
            negative = true;
            ++Pos_;
        }
        while (Pos_ < In_.size() && In_[Pos_] >= '0' && In_[Pos_] <= '9') {
            hasParam = true;
            if (param < kMaxParameter) param = param * 10 + (In_[Pos_] - '0');
            ++Pos_;
        }
        if (negative) param = -param;
        if (Pos_ < In_.size() && In_[Pos_] == ' ')
            ++Pos_; // the delimiting space belongs to the word
        ControlWord(word, hasParam, param);
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(static_cast<unsigned char>(c));
            break;
        case '~':
            Character(0x00A0);
            break;
        case '_':
            Character('-');
            break;
        case '-':
            break; // optional hyphen
        case '*':
            State().Skip = true; // an ignorable destination: none is read here
            break;
        case '\'': {
            int value = -1;
            if (Pos_ + 1 < In_.size()) {
                const int hi = HexValue(In_[Pos_]);
                const int lo = HexValue(In_[Pos_ + 1]);
                if (hi >= 0 && lo >= 0) value = hi * 16 + lo;
            }
            if (value < 0) {
                // A cut-off escape: drop it (and its one hex digit, if any) and read on.
                if (Pos_ < In_.size() && HexValue(In_[Pos_]) >= 0) ++Pos_;
                return;
            }
            Pos_ += 2;
            Character(FromCodePage(static_cast<unsigned char>(value)));
            break;
        }
        case '\r':
        case '\n':
            EndParagraph(true);
            break;
        default:
            break;
        }
    }

    void ControlWord(std::string_view word, bool hasParam, long param) {
        // A control word inside the fallback of "\uN" counts as one skipped character.
        if (PendingSkip_ > 0 && word != "u") {
            --PendingSkip_;
            return;
        }
        GroupState& s = State();
        const bool on = !hasParam || param != 0;
        if (word == "par") {
            EndParagraph(true);
        } else if (word == "line") {
            Character(0x2028);
        } else if (word == "tab") {
            Character('\t');
        } else if (word == "b") {
            s.Format.Bold = on;
        } else if (word == "i") {
            s.Format.Italic = on;
        } else if (word == "ul") {
            s.Format.Underline = on;
        } else if (word == "ulnone") {
            s.Format.Underline = false;
        } else if (word == "fs") {
            if (hasParam && param > 0 && param <= 2000)
                s.Format.HalfPoints = static_cast<int>(param);
        } else if (word == "plain") {
            s.Format = RtfCharFormat{};
        } else if (word == "pard") {
            if (!s.Skip) Paragraph_.Alignment = RtfAlignment::Left;
        } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
            if (!s.Skip)
                Paragraph_.Alignment = word == "qc"   ? RtfAlignment::Centre
                                       : word == "qr" ? RtfAlignment::Right
                                       : word == "qj" ? RtfAlignment::Justify
                                                      : RtfAlignment::Left;
        } else if (word == "uc") {
            if (hasParam && param >= 0 && param <= 10) s.UnicodeSkip = static_cast<int>(param);
        } else if (word == "u") {
            if (!hasParam) return;
            long code = param < 0 ? param + 65536 : param;
            if (code < 0 || code > 0x10FFFF) code = 0xFFFD;
            if (!s.Skip) AppendText(static_cast<char32_t>(code));
            PendingSkip_ = s.UnicodeSkip;
        } else if (word == "emdash") {
            Character(0x2014);
        } else if (word == "endash") {
            Character(0x2013);
        } else if (word == "bullet") {
            Character(0x2022);
        } else if (word == "lquote") {
            Character(0x2018);
        } else if (word == "rquote") {
            Character(0x2019);
        } else if (word == "ldblquote") {
            Character(0x201C);
        } else if (word == "rdblquote") {
            Character(0x201D);
        } else if (IsSkippedDestination(word)) {
            s.Skip = true;
        }
        // Any other control word is ignored.
    }

    std::string_view In_;
    std::size_t Pos_ = 0;
    std::vector<GroupState> Stack_;
    std::size_t Overflow_ = 0;
    int PendingSkip_ = 0;
    RtfParagraph Paragraph_;
    RtfDocument Doc_;
};

} // namespace

std::string RtfParagraph::Text() const {
    std::string text;
    for (const RtfRun& r : Runs) text += r.Text;
    return text;
}

std::string RtfDocument::PlainText() const {
    std::string text;
    for (const RtfParagraph& p : Paragraphs) {
        text += p.Text();
        text.push_back('\n');
    }
    return text;
}

RtfDocument ParseRtf(std::string_view rtf) {
    return Parser(rtf).Run();
}

std::optional<RtfDocument> ReadRtfFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return ParseRtf(bytes);
}

} // namespace zirtel
