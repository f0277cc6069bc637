#include "gui/colours.h"

#include <QFontDatabase>

namespace zirtel {

QFont GridFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    return f;
}

} // namespace zirtel
