#include "gui/application.h"

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "gui/basque_dialogs.h"

namespace zirtel {

namespace {

QStringList& HeldMessages() {
    static QStringList held;
    return held;
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("zirtel: no window can be opened: no display could be reached (is DISPLAY or "
                   "WAYLAND_DISPLAY set?); 'zirtel --batch ITEMS' runs without one.\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    HeldMessages().append(qFormatLogMessage(type, context, text));
}

} // namespace

StartupMessageGuard::StartupMessageGuard() : Previous_(qInstallMessageHandler(HoldMessage)) {}

StartupMessageGuard::~StartupMessageGuard() {
    Release();
}

void StartupMessageGuard::Release() {
    if (Released_) return;
    Released_ = true;
    qInstallMessageHandler(Previous_);
    for (const QString& line : HeldMessages()) std::fprintf(stderr, "%s\n", qPrintable(line));
    HeldMessages().clear();
}

void SetApplicationTitle(QApplication& app) {
    // The name only: a display name would be added by the window system to every window's
    // caption ("Errorea — Zirtel"), and the captions are to read exactly as they are set.
    app.setApplicationName("Zirtel");
}

ZirtelApplication::ZirtelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetApplicationTitle(*this);
    // The display is open: Qt's messages go their usual way again.
    Release();
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
