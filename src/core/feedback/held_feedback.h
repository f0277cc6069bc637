// A Feedback for a worker thread: its messages wait for their item's turn, to be shown in item
// order on the user's Feedback.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/feedback/feedback.h"

namespace zirtel {

struct HeldMessage {
    std::string Caption, Text;
    MessageButtons Buttons;
};

class HeldFeedback : public Feedback {
  public:
    std::vector<HeldMessage> Messages;
    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override {
        Messages.push_back({caption, text, buttons});
        return MessageResult::Ok;
    }
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override {
        return Silent_.OpenProgress(label, fileLabel, max);
    }

  private:
    SilentFeedback Silent_;
};

} // namespace zirtel
