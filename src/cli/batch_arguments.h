// Recognises a batch-mode command line, so that start-up can run it without opening a window.
#pragma once

namespace zirtel {

// True for every argument list but none or a single items file: such a run is the batch mode
// (or its help, version or argument error) and needs no display.
bool IsBatchInvocation(int argc, const char* const* argv);

} // namespace zirtel
