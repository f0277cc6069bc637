// Recognises a batch-mode command line, so that start-up can run it without opening a window.
#pragma once

namespace zirtel {

// True when the arguments ask for the batch mode ("--batch", "--generate", "--help" or
// "--version"); such a run needs no display.
bool IsBatchInvocation(int argc, const char* const* argv);

} // namespace zirtel
