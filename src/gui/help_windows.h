// The windows that explain the program: the instructions window, the output field description
// window and the two about boxes.
#pragma once

#include <QDialog>
#include <QWidget>

class QTextEdit;
class QTableWidget;
class QLabel;
class QPushButton;

namespace zirtel {

// "Jarraibideak": a read-only rich-text view of an instructions file.
class TInstructionsForm : public QDialog {
    Q_OBJECT
  public:
    explicit TInstructionsForm(QWidget* parent = nullptr);
    QTextEdit* RichEdit1;
};

// "Irteerako eremuen": the description of the output fields.
class TOutputDescriptionForm : public QWidget {
    Q_OBJECT
  public:
    explicit TOutputDescriptionForm(QWidget* parent = nullptr);
    QTextEdit* RichEdit1;
    QTableWidget* OutputDescriptionGrid;
};

// An about box: the program's title, a version label, credits and an OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    AboutDialog(const QString& caption, const QString& version, const QString& okText,
                const QString& credits, QWidget* parent = nullptr);
    QLabel* Title;
    QLabel* Version;
    QLabel* Credits;
    QPushButton* OKButton;
};

// "About this program", "Version 0.5".
class TAboutBox : public AboutDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// "Honi buruz", "Version 1.0".
class TBasqueAboutForm : public AboutDialog {
    Q_OBJECT
  public:
    explicit TBasqueAboutForm(QWidget* parent = nullptr);
};

} // namespace zirtel
