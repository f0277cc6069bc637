#include "gui/colours.h"

#include <QFontDatabase>
#include <QWidget>

namespace zirtel {

QFont GridFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    return f;
}

void ApplyFormColour(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, kFormColor);
    pal.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(pal);
}

} // namespace zirtel
