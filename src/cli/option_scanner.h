// The command-line scanning shared by the batch commands (--batch, --generate, --select and
// --match): options as "--name value", "--name=value" or "-o value", flags, and the message of a
// command line that cannot be accepted.
#pragma once

#include <optional>
#include <string>

#include "core/feedback/messages.h"

namespace zirtel {

// A command line that cannot be accepted; the message names the fault.
struct UsageError {
    Message What;
};

// Walks the arguments after the program name, one at a time:
//   for (OptionScanner scan(argc, argv); scan.Next();) { ... scan.Name() ... }
class OptionScanner {
  public:
    OptionScanner(int argc, const char* const* argv) : Argc_(argc), Argv_(argv) {}

    // Moves to the next argument; false after the last.
    bool Next();
    // The argument; of "--name=value", the part before "=".
    const std::string& Name() const { return Name_; }
    // Whether the argument looks like an option: "-" followed by anything.
    bool IsOption() const { return Name_.size() > 1 && Name_[0] == '-'; }
    // Whether the argument was "--name=value".
    bool HasInlineValue() const { return InlineValue_.has_value(); }

    // The option's value: the text after "=", else the next argument, which is consumed.
    // Throws "option NAME needs a value" when there is none.
    std::string Value();
    // The next argument, if any, without consuming it.
    std::optional<std::string> PeekNext() const;
    // An option that takes no value: throws "option NAME takes no value" for "NAME=value".
    void Flag() const;
    // "unknown option 'NAME'", to be thrown.
    UsageError Unknown() const;

  private:
    int Argc_;
    const char* const* Argv_;
    int At_ = 0;
    std::string Name_;
    std::optional<std::string> InlineValue_;
};

} // namespace zirtel
