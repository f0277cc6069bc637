#include "gui/qt_feedback.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include "gui/basque_dialogs.h"
#include "gui/progress_form.h"

namespace zirtel {

class QtFeedback::Progress : public ProgressWindow {
  public:
    Progress(QtFeedback& owner, const std::string& label, const std::string& fileLabel, int max)
        : Owner_(owner), Form_(new TProgressForm(owner.Parent_)) {
        Form_->ProgressLabel->setText(QString::fromStdString(label));
        Form_->FileLabel->setText(QString::fromStdString(fileLabel));
        Form_->ProgressBar1->setMaximum(std::max(max, 0));
        Form_->show();
        Form_->Repaint(true);
    }
    ~Progress() override { delete Form_; }
    void SetLabel(const std::string& text) override {
        Form_->ProgressLabel->setText(QString::fromStdString(text));
        Form_->Repaint(true);
    }
    void SetFileLabel(const std::string& text) override {
        Form_->FileLabel->setText(QString::fromStdString(text));
        Form_->Repaint(true);
    }
    void SetMax(int max) override { Form_->ProgressBar1->setMaximum(std::max(max, 0)); }
    void SetPosition(int position) override { Form_->SetPosition(position); }
    void Step() override { Form_->Step(); }
    void AllowCancel() override {
        Form_->ShowCancel();
        Owner_.CancelForm_ = Form_;
    }

  private:
    QtFeedback& Owner_;
    TProgressForm* Form_;
};

namespace {

// While installed, user input reaches only the widgets of one window.
class InputGate : public QObject {
  public:
    explicit InputGate(QWidget* open) : Open_(open) { qApp->installEventFilter(this); }
    ~InputGate() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Close: {
            auto* widget = qobject_cast<QWidget*>(watched);
            return widget && Open_ && widget->window() != Open_;
        }
        default:
            return false;
        }
    }

  private:
    QPointer<QWidget> Open_;
};

} // namespace

MessageResult QtFeedback::ShowBox(const std::string& caption, const std::string& text,
                                  MessageButtons buttons, const char* tickText, bool* ticked) {
    // Over the window the user is in (a secondary window stays in front of the main window once
    // the box is closed), else over the main window.
    QWidget* active = QApplication::activeWindow();
    QMessageBox box(active && active->isVisible() ? active : Parent_.data());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    box.setStandardButtons(buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                         : (QMessageBox::Ok | QMessageBox::Cancel));
    SetBasqueButtonTexts(box);
    QCheckBox* tick = nullptr;
    if (tickText) {
        tick = new QCheckBox(tickText, &box);
        box.setCheckBox(tick);
    }
    // The busy cursor must not hide the box's buttons.
    const bool busy = BusyDepth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    if (ticked) *ticked = tick && tick->isChecked();
    return answer == QMessageBox::Cancel ? MessageResult::Cancel : MessageResult::Ok;
}

MessageResult QtFeedback::ShowMessage(const std::string& caption, const std::string& text,
                                      MessageButtons buttons) {
    const std::string key = caption + '\n' + text;
    if (AnalysisDepth_ == 0) return ShowBox(caption, text, buttons, nullptr, nullptr);
    if (Silenced_.count(key) > 0) return MessageResult::Ok;
    bool ticked = false;
    const MessageResult answer = ShowBox(caption, text, buttons, kSilenceText, &ticked);
    if (ticked) Silenced_.insert(key);
    return answer;
}

void QtFeedback::ShowRepeatedWarning(const std::string& caption, const std::string& text) {
    const std::string key = caption + '\n' + text;
    if (NeverAgain_.count(key) > 0) return;
    bool ticked = false;
    ShowBox(caption, text, MessageButtons::Ok, kNeverAgainText, &ticked);
    if (ticked) NeverAgain_.insert(key);
}

QtFeedback::AnalysisScope::AnalysisScope(Feedback& feedback)
    : F_(dynamic_cast<QtFeedback*>(&feedback)) {
    if (F_) ++F_->AnalysisDepth_;
}

QtFeedback::AnalysisScope::~AnalysisScope() {
    if (F_ && --F_->AnalysisDepth_ == 0) F_->Silenced_.clear();
}

void QtFeedback::Beep() {
    QApplication::beep();
}

void QtFeedback::SetBusy(bool busy) {
    if (busy) {
        if (BusyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (BusyDepth_ > 0) {
        if (--BusyDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

std::unique_ptr<ProgressWindow> QtFeedback::OpenProgress(const std::string& label,
                                                         const std::string& fileLabel, int max) {
    return std::make_unique<Progress>(*this, label, fileLabel, max);
}

bool QtFeedback::Cancelled() {
    if (!CancelForm_) return false;
    {
        const InputGate gate(CancelForm_);
        QCoreApplication::processEvents();
    }
    return CancelForm_ && CancelForm_->CancelRequested;
}

} // namespace zirtel
