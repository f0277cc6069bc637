// The windows' Feedback: Qt message boxes, the beep, the hourglass cursor and progress windows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <set>
#include <string>

#include "core/feedback/feedback.h"

namespace zirtel {

class TProgressForm;

class QtFeedback : public Feedback {
  public:
    explicit QtFeedback(QWidget* parent = nullptr) : Parent_(parent) {}
    void SetParent(QWidget* parent) { Parent_ = parent; }

    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override;
    // Offers kNeverAgainText: ticked, the same caption and text are not shown again this run.
    void ShowRepeatedWarning(const std::string& caption, const std::string& text) override;
    void Beep() override;
    void SetBusy(bool busy) override;
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override;
    // Handles the pending events of the progress window that offers "Utzi" (the other windows
    // take no input meanwhile) and says whether it was clicked.
    bool Cancelled() override;

    // One analysis, for the life of the scope (scopes may nest; the outermost one counts).
    // Inside it each box offers kSilenceText: a message whose box was closed with it ticked is
    // not shown again until the analysis ends. A Feedback that is no QtFeedback is left alone.
    class AnalysisScope {
      public:
        explicit AnalysisScope(Feedback& feedback);
        ~AnalysisScope();
        AnalysisScope(const AnalysisScope&) = delete;
        AnalysisScope& operator=(const AnalysisScope&) = delete;

      private:
        QtFeedback* F_;
    };
    static constexpr const char* kSilenceText = "Ez erakutsi berriro analisi honetan";
    static constexpr const char* kNeverAgainText = "Ez erakutsi berriro";

  private:
    class Progress;
    QPointer<QWidget> Parent_;
    QPointer<TProgressForm> CancelForm_; // the open progress window that offers "Utzi"

    int BusyDepth_ = 0;
    int AnalysisDepth_ = 0;
    std::set<std::string> Silenced_;   // caption and text of the silenced messages
    std::set<std::string> NeverAgain_; // ... and of the repeated warnings not to show again
    // Shows the box; `tickText`, when given, is offered as its check box, and `ticked` says
    // whether it was ticked.
    MessageResult ShowBox(const std::string& caption, const std::string& text,
                          MessageButtons buttons, const char* tickText, bool* ticked);
};

} // namespace zirtel
