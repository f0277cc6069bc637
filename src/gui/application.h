// The application object: an exception that escapes a handler is shown in a message box and
// the program goes on.
#pragma once

#include <QApplication>

namespace zirtel {

// Gives the application its title, "Zirtel".
void SetApplicationTitle(QApplication& app);

class ZirtelApplication : public QApplication {
  public:
    ZirtelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zirtel
