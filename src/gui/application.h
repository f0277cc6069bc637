// The application object: an exception that escapes a handler is shown in a message box and
// the program goes on. Where no display can be opened, the program ends with one line and
// status 1.
#pragma once

#include <QApplication>

namespace zirtel {

// Gives the application its title, "Zirtel".
void SetApplicationTitle(QApplication& app);

// While alive, Qt's messages are held back; a fatal one (no display could be opened) ends the
// program with one clear line on standard error and status 1 instead of an abort. The messages
// held back are printed once it is released.
class StartupMessageGuard {
  public:
    StartupMessageGuard();
    ~StartupMessageGuard();
    StartupMessageGuard(const StartupMessageGuard&) = delete;
    StartupMessageGuard& operator=(const StartupMessageGuard&) = delete;
    // Restores Qt's message handler and prints the messages held back.
    void Release();

  private:
    QtMessageHandler Previous_;
    bool Released_ = false;
};

// The guard is a base before QApplication, so that it watches the application's construction.
class ZirtelApplication : private StartupMessageGuard, public QApplication {
  public:
    ZirtelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zirtel
