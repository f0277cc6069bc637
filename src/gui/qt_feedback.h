// The windows' Feedback: Qt message boxes, the beep, the hourglass cursor and progress windows.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/feedback/feedback.h"

namespace zirtel {

class QtFeedback : public Feedback {
  public:
    explicit QtFeedback(QWidget* parent = nullptr) : Parent_(parent) {}
    void SetParent(QWidget* parent) { Parent_ = parent; }

    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override;
    void Beep() override;
    void SetBusy(bool busy) override;
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override;

  private:
    QPointer<QWidget> Parent_;
    int BusyDepth_ = 0;
};

} // namespace zirtel
