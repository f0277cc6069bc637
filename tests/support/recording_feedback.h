// A Feedback for tests: records every message box, beep and progress window, and answers every
// box with OK. Tests assert on the exact captions and texts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/feedback/feedback.h"

namespace zirtel::test {

struct RecordedMessage {
    std::string Caption;
    std::string Text;
    MessageButtons Buttons;
    bool operator==(const RecordedMessage&) const = default;
};

struct RecordedProgress {
    std::string Label;
    std::string FileLabel;
    int Max = 0;
    int Position = 0;
    bool Open = true;
};

class RecordingFeedback : public Feedback {
  public:
    std::vector<RecordedMessage> Messages;
    std::vector<std::shared_ptr<RecordedProgress>> Progresses;
    int Beeps = 0;
    int BusyDepth = 0;

    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override {
        Messages.push_back({caption, text, buttons});
        return MessageResult::Ok;
    }
    void Beep() override { ++Beeps; }
    void SetBusy(bool busy) override { BusyDepth += busy ? 1 : -1; }
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override {
        auto record = std::make_shared<RecordedProgress>();
        record->Label = label;
        record->FileLabel = fileLabel;
        record->Max = max;
        Progresses.push_back(record);
        return std::make_unique<Window>(record);
    }
    // Texts of the recorded messages, "CAPTION: TEXT" each.
    std::vector<std::string> MessageLines() const {
        std::vector<std::string> lines;
        for (const auto& m : Messages) lines.push_back(m.Caption + ": " + m.Text);
        return lines;
    }
    void Clear() {
        Messages.clear();
        Progresses.clear();
        Beeps = 0;
    }

  private:
    class Window : public ProgressWindow {
      public:
        explicit Window(std::shared_ptr<RecordedProgress> r) : R_(std::move(r)) {}
        ~Window() override { R_->Open = false; }
        void SetLabel(const std::string& text) override { R_->Label = text; }
        void SetFileLabel(const std::string& text) override { R_->FileLabel = text; }
        void SetMax(int max) override { R_->Max = max; }
        void SetPosition(int position) override { R_->Position = position; }
        void Step() override { ++R_->Position; }

      private:
        std::shared_ptr<RecordedProgress> R_;
    };
};

} // namespace zirtel::test
