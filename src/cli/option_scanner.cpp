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
    if (At_ + 1 >= Argc_) throw UsageError{"option " + Name_ + " needs a value"};
    return Argv_[++At_];
}

void OptionScanner::Flag() const {
    if (InlineValue_) throw UsageError{"option " + Name_ + " takes no value"};
}

void OptionScanner::Once(std::optional<std::string>& slot) {
    if (slot) throw UsageError{"option " + Name_ + " is given twice"};
    slot = Value();
}

UsageError OptionScanner::Unknown() const {
    return UsageError{"unknown option '" + Name_ + "'"};
}

} // namespace zirtel
