#include "gui/application.h"

#include <exception>

#include "gui/basque_dialogs.h"

namespace zirtel {

void SetApplicationTitle(QApplication& app) {
    // The name only: a display name would be added by the window system to every window's
    // caption ("Errorea — Zirtel"), and the captions are to read exactly as they are set.
    app.setApplicationName("Zirtel");
}

ZirtelApplication::ZirtelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetApplicationTitle(*this);
}

bool ZirtelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowCriticalError(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        ShowCriticalError(activeWindow(), "Unknown error");
    }
    return false;
}

} // namespace zirtel
