// The colours and the font of the windows.
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace zirtel {

inline const QColor kFormColor(0, 128, 0);           // dark green: main window, results cells
inline const QColor kHeaderColor(255, 0, 0);         // pure red: the results' header row
inline const QColor kSelectedResultColor(0, 176, 0); // selected results cells
// The fixed-pitch system font that the grids and the entry line use.
QFont GridFont();
// Gives a dialog the program's green background with white captions.
void ApplyFormColour(QWidget* widget);

} // namespace zirtel
