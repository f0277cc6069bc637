// The windows that explain the program: the instructions window, the output field description
// window and the two about boxes. The help files are read from the program's data folder only;
// one that is missing or unreadable never stops the program: its window reports it when opened.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <filesystem>

class QTextEdit;
class QTableWidget;
class QLabel;
class QPushButton;

namespace zirtel {

inline constexpr const char* kInstructionsFile = "Instructions.rtf";
inline constexpr const char* kEnglishInstructionsFile = "EnglishInstructions.rtf";
inline constexpr const char* kFieldDescriptionsFile = "FieldDescriptions.rtf";
inline constexpr const char* kEnglishFieldDescriptionsFile = "EnglishFieldDescriptions.rtf";

// "Jarraibideak": a read-only rich-text view of an instructions file.
class TInstructionsForm : public QDialog {
    Q_OBJECT
  public:
    // Loads "Instructions.rtf" from `appDir`; a file that cannot be read leaves the view empty.
    explicit TInstructionsForm(const std::filesystem::path& appDir, QWidget* parent = nullptr);
    // Replaces the text with the file's. False (the text stays) when it cannot be read.
    bool LoadFile(const std::filesystem::path& path);
    QTextEdit* RichEdit1;
    QPushButton* FocusButton; // 1 x 1 pixel: it only holds the focus
};

// "Irteerako eremuen": the description of the output fields.
class TOutputDescriptionForm : public QWidget {
    Q_OBJECT
  public:
    // Loads "FieldDescriptions.rtf" from `appDir`; a file that cannot be read leaves it empty.
    explicit TOutputDescriptionForm(const std::filesystem::path& appDir, QWidget* parent = nullptr);
    // Replaces the text with the file's. False (the text stays) when it cannot be read.
    bool LoadFile(const std::filesystem::path& path);
    // Whether a description has been loaded.
    bool HasText() const { return HasText_; }
    // The sizes that follow the main window's width.
    void FitTo(int mainWidth);
    QTextEdit* RichEdit1;
    QTableWidget* OutputDescriptionGrid;

  private:
    bool HasText_ = false;
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

// "Honi buruz", "Version 1.0", "Ados".
class TBasqueAboutForm : public AboutDialog {
    Q_OBJECT
  public:
    explicit TBasqueAboutForm(QWidget* parent = nullptr);
};

// The credits of the about boxes, in English and in Basque.
QString EnglishCredits();
QString BasqueCredits();

} // namespace zirtel
