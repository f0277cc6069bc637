// How the engine reaches the user. The engine never shows anything itself: message boxes, the
// beep, the busy cursor and progress windows go through this interface. The windows implement it
// with Qt dialogs, the batch mode prints to standard error, tests record every call.
// Texts are UTF-8.
#pragma once

#include <memory>
#include <string>

namespace zirtel {

enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

// A progress window: caption "Progresioa", a label, a file label and a bar from 0 to Max.
// It is shown when created and closed when destroyed.
class ProgressWindow {
  public:
    virtual ~ProgressWindow() = default;
    virtual void SetLabel(const std::string& text) = 0;
    virtual void SetFileLabel(const std::string& text) = 0;
    virtual void SetMax(int max) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void Step() = 0; // advances the bar by one
    // Offers the user a way to stop the operation ("Utzi" in the windows); the operation asks
    // Feedback::Cancelled() between its steps. A window without one ignores this.
    virtual void AllowCancel() {}
};

class Feedback {
  public:
    virtual ~Feedback() = default;
    virtual MessageResult ShowMessage(const std::string& caption, const std::string& text,
                                      MessageButtons buttons) = 0;
    // A warning that may come back (after every analysis, say), with an OK button: the windows
    // offer to stop showing it ("Ez erakutsi berriro") for the rest of the run, as long as its
    // text stays the same. By default it is an ordinary message.
    virtual void ShowRepeatedWarning(const std::string& caption, const std::string& text) {
        ShowMessage(caption, text, MessageButtons::Ok);
    }
    virtual void Beep() = 0;
    // Hourglass cursor on (true) or back to normal (false).
    virtual void SetBusy(bool busy) = 0;
    virtual std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                         const std::string& fileLabel, int max) = 0;
    // Whether the user asked to stop the operation under way (the progress window's "Utzi", an
    // interrupt in batch mode). Long operations ask between their steps and stop, keeping what
    // is done so far. The windows also handle pending events here.
    virtual bool Cancelled() { return false; }
};

// Busy cursor for the life of a scope.
class BusyCursor {
  public:
    explicit BusyCursor(Feedback& f) : F_(f) { F_.SetBusy(true); }
    ~BusyCursor() { F_.SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Feedback& F_;
};

// A Feedback that shows nothing (for operations whose messages nobody reads).
class SilentFeedback : public Feedback {
  public:
    MessageResult ShowMessage(const std::string&, const std::string&, MessageButtons) override {
        return MessageResult::Ok;
    }
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string&, const std::string&,
                                                 int) override;
};

} // namespace zirtel
