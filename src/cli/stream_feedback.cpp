#include "cli/stream_feedback.h"

#include <algorithm>

namespace zirtel {

namespace {
constexpr int kBarCells = 30;
}

class StreamFeedback::Bar : public ProgressWindow {
  public:
    Bar(StreamFeedback& owner, std::string label, int max)
        : Owner_(owner), Label_(std::move(label)), Max_(max) {
        Draw();
    }
    ~Bar() override { Owner_.ClearBar(); }
    Bar(const Bar&) = delete;
    Bar& operator=(const Bar&) = delete;

    void SetLabel(const std::string& text) override {
        Label_ = text;
        Draw();
    }
    void SetFileLabel(const std::string&) override {}
    void SetMax(int max) override {
        Max_ = max;
        Draw();
    }
    void SetPosition(int position) override {
        Position_ = position;
        Draw();
    }
    void Step() override {
        ++Position_;
        Draw();
    }

  private:
    void Draw() { Owner_.DrawBar(Label_, Position_, Max_); }
    StreamFeedback& Owner_;
    std::string Label_;
    int Max_;
    int Position_ = 0;
};

MessageResult StreamFeedback::ShowMessage(const std::string& caption, const std::string& text,
                                          MessageButtons) {
    const bool hadBar = BarWidth_ > 0;
    ClearBar();
    if (!caption.empty()) Err_ << caption << ": ";
    Err_ << text << '\n';
    Err_.flush();
    ++Messages_;
    if (hadBar) {
        Drawn_ = -1;
        DrawBar(BarLabel_, BarPosition_, BarMax_);
    }
    return MessageResult::Ok;
}

std::unique_ptr<ProgressWindow> StreamFeedback::OpenProgress(const std::string& label,
                                                             const std::string&, int max) {
    if (!ShowProgress_) return SilentFeedback().OpenProgress(label, "", max);
    Drawn_ = -1;
    return std::make_unique<Bar>(*this, label, max);
}

void StreamFeedback::DrawBar(const std::string& label, int position, int max) {
    BarLabel_ = label;
    BarPosition_ = position;
    BarMax_ = max;
    const int percent =
        max > 0 ? std::clamp(static_cast<int>(100LL * position / max), 0, 100) : 100;
    if (percent == Drawn_) return;
    Drawn_ = percent;
    const int filled = percent * kBarCells / 100;
    std::string line = "\r" + label + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarCells - filled), ' ') + "] ";
    const std::string number = std::to_string(percent);
    line += std::string(3 - std::min<std::size_t>(3, number.size()), ' ') + number + "%";
    const std::size_t width = line.size() - 1;
    if (width < BarWidth_) line += std::string(BarWidth_ - width, ' ');
    BarWidth_ = std::max(BarWidth_, width);
    Err_ << line;
    Err_.flush();
}

void StreamFeedback::ClearBar() {
    if (BarWidth_ == 0) return;
    Err_ << '\r' << std::string(BarWidth_, ' ') << '\r';
    Err_.flush();
    BarWidth_ = 0;
}

} // namespace zirtel
