// The batch mode's Feedback: every message box becomes one line "CAPTION: TEXT" on the error
// stream (just "TEXT" when the caption is empty), and a progress window becomes a one-line bar
// redrawn in place, only when the stream is a terminal.
#pragma once

#include <atomic>
#include <memory>
#include <ostream>
#include <string>

#include "core/feedback/feedback.h"

namespace zirtel {

class StreamFeedback : public Feedback {
  public:
    StreamFeedback(std::ostream& err, bool showProgress) : Err_(err), ShowProgress_(showProgress) {}

    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override;
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override;

    // The run is cancelled once `flag` holds a signal (set by a handler); without one, never.
    void SetCancelFlag(const std::atomic<int>* flag) { CancelFlag_ = flag; }
    bool Cancelled() override { return CancelFlag_ && CancelFlag_->load() != 0; }

    // Number of messages written so far.
    int MessageCount() const { return Messages_; }

  private:
    class Bar;
    void DrawBar(const std::string& label, int position, int max);
    void ClearBar();

    std::ostream& Err_;
    const std::atomic<int>* CancelFlag_ = nullptr;
    bool ShowProgress_;
    int Messages_ = 0;
    std::size_t BarWidth_ = 0; // characters of the bar on screen now; 0 when none is drawn
    std::string BarLabel_;
    int BarPosition_ = 0, BarMax_ = 0;
    int Drawn_ = -1; // the percentage drawn last
};

} // namespace zirtel
