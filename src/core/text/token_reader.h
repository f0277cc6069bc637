// Reading a text as white-space-delimited tokens, one at a time, as the program's data files are
// read. A token can be looked at before it is taken, so that a field of the wrong kind stays for
// the next reader.
#pragma once

#include <optional>
#include <string_view>

namespace zirtel {

// Space, tab, CR, LF, form feed and vertical tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

class TokenReader {
  public:
    explicit TokenReader(std::string_view text) : Text_(text) {}

    void SkipBlanks() {
        while (Pos_ < Text_.size() && IsBlank(Text_[Pos_])) ++Pos_;
    }
    // Whether only blanks are left.
    bool AtEnd() {
        SkipBlanks();
        return Pos_ >= Text_.size();
    }
    // The first character of the next token (AtEnd() must be false).
    char PeekChar() {
        SkipBlanks();
        return Text_[Pos_];
    }
    // The next token without taking it; empty at the end.
    std::string_view Peek() {
        SkipBlanks();
        std::size_t end = Pos_;
        while (end < Text_.size() && !IsBlank(Text_[end])) ++end;
        return Text_.substr(Pos_, end - Pos_);
    }
    // Takes the token that Peek() returned.
    void Take(std::string_view token) { Pos_ += token.size(); }
    // The next token, taken; nothing at the end.
    std::optional<std::string_view> Next() {
        const std::string_view token = Peek();
        if (token.empty()) return std::nullopt;
        Take(token);
        return token;
    }
    // The rest of the current line, without its line feed.
    std::string_view RestOfLine() {
        const std::size_t start = Pos_;
        while (Pos_ < Text_.size() && Text_[Pos_] != '\n') ++Pos_;
        return Text_.substr(start, Pos_ - start);
    }

  private:
    std::string_view Text_;
    std::size_t Pos_ = 0;
};

} // namespace zirtel
