#include "gui/application.h"

#include <QMessageBox>
#include <exception>

namespace zirtel {

ZirtelApplication::ZirtelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Zirtel");
    setApplicationDisplayName("Zirtel");
}

bool ZirtelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(activeWindow(), "Zirtel", QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), "Zirtel", "Unknown error");
    }
    return false;
}

} // namespace zirtel
