// The signals that stop a batch run: SIGINT (Ctrl-C), SIGTERM, SIGHUP and SIGQUIT. While a
// StopSignals lives, each only records itself; the run asks between its units of work (items,
// candidates, reference tries), stops, abandons the files it was writing (their temporary files
// go) and ends with 128 + the signal.
#pragma once

#include <atomic>
#include <csignal>

namespace zirtel {

class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first signal received while one lived (0: none).
    static const std::atomic<int>& Received();

  private:
    struct sigaction Previous_[4];
};

} // namespace zirtel
