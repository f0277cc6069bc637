#include "cli/stop_signals.h"

namespace zirtel {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

std::atomic<int> gReceived{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnStopSignal(int sig) {
    int none = 0;
    gReceived.compare_exchange_strong(none, sig);
}

} // namespace

StopSignals::StopSignals() {
    gReceived.store(0);
    struct sigaction action {};
    action.sa_handler = &OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int k = 0; k < 4; ++k) ::sigaction(kStopSignals[k], &action, &Previous_[k]);
}

StopSignals::~StopSignals() {
    for (int k = 0; k < 4; ++k) ::sigaction(kStopSignals[k], &Previous_[k], nullptr);
}

const std::atomic<int>& StopSignals::Received() {
    return gReceived;
}

} // namespace zirtel
