#include "cli/option_scanner.h"

namespace zirtel {

bool OptionScanner::Next() {
    if (++At_ >= Argc_) return false;
    Name_ = Argv_[At_];
    InlineValue_.reset();
    if (Name_.size() > 2 && Name_.starts_with("--")) {
        const auto eq = Name_.find('=');
        if (eq != std::string::npos) {
            InlineValue_ = Name_.substr(eq + 1);
            Name_.resize(eq);
        }
    }
    return true;
}

std::string OptionScanner::Value() {
    if (InlineValue_) return *InlineValue_;
    if (At_ + 1 >= Argc_) throw UsageError{msg::NeedsValue(Name_)};
    return Argv_[++At_];
}

std::optional<std::string> OptionScanner::PeekNext() const {
    if (InlineValue_ || At_ + 1 >= Argc_) return std::nullopt;
    return std::string(Argv_[At_ + 1]);
}

void OptionScanner::Flag() const {
    if (InlineValue_) throw UsageError{msg::TakesNoValue(Name_)};
}

UsageError OptionScanner::Unknown() const {
    return UsageError{msg::UnknownOption(Name_)};
}

} // namespace zirtel
