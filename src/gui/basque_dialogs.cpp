#include "gui/basque_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zirtel {

namespace {

QString RunFileDialog(QFileDialog& dialog, const QString& acceptText) {
    dialog.setLabelText(QFileDialog::Accept, acceptText);
    dialog.setLabelText(QFileDialog::Reject, "Utzi");
    dialog.setLabelText(QFileDialog::LookIn, "Begiratu hemen:");
    dialog.setLabelText(QFileDialog::FileName, "Fitxategi-izena:");
    dialog.setLabelText(QFileDialog::FileType, "Fitxategi mota:");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
}

} // namespace

void SetBasqueButtonTexts(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Ok, "Ados"},
        {QMessageBox::Cancel, "Utzi"},
        {QMessageBox::Yes, "Bai"},
        {QMessageBox::No, "Ez"},
    };
    for (const auto& [button, text] : texts)
        if (QAbstractButton* b = box.button(button)) b->setText(text);
}

void ShowCriticalError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, "Zirtel", text, QMessageBox::Ok, parent);
    SetBasqueButtonTexts(box);
    box.exec();
}

QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) {
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog, "Ireki");
}

QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    return RunFileDialog(dialog, "Gorde");
}

} // namespace zirtel
