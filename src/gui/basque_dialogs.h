// The standard dialogs in Basque: the buttons of message boxes ("Ados", "Utzi", "Bai", "Ez")
// and the open and save dialogs ("Ireki", "Gorde", "Utzi").
#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace zirtel {

// Gives the box's standard buttons their Basque texts.
void SetBasqueButtonTexts(QMessageBox& box);
// An error box with the caption "Zirtel" and an "Ados" button.
void ShowCriticalError(QWidget* parent, const QString& text);
// The open dialog: the chosen existing file, or empty when cancelled.
QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter);
// The save dialog: the chosen file, or empty when cancelled. `defaultSuffix` (may be empty) is
// added to a name typed without one.
QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter, const QString& defaultSuffix = QString());

} // namespace zirtel
