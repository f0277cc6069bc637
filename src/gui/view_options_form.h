// TOptions: the view options dialog ("Aukerak"): the number of decimals of every real value,
// and the text saved and copied instead of every missing value (its mark "-1", "   -  ", ...), e.g.
// "NA".
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace zirtel {

class TOptions : public QDialog {
    Q_OBJECT
  public:
    // `decimals` is the setting in force; it is selected at creation.
    explicit TOptions(int decimals, QWidget* parent = nullptr);

    QGroupBox* NumFormat;
    QButtonGroup* NumFormatItems;
    QCheckBox* MissingBox;  // "Falta diren balioen ordez idatzi:"; unticked at creation
    QLineEdit* MissingEdit; // the text, "NA" at creation
    // "Taula garbia (R/Python) gorde eta kopiatu"; unticked at creation
    QCheckBox* PlainBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    // The decimals chosen when the dialog was closed with OK.
    int Decimals() const { return Decimals_; }
    void SelectItem(int index);
    // The missing-value text chosen when the dialog was closed with OK; nothing: the marks.
    const std::optional<std::string>& Missing() const { return Missing_; }
    // Shows a setting (the one in force) in the box and the edit.
    void ShowMissing(const std::optional<std::string>& missing);
    // Whether the plain table was chosen when the dialog was closed with OK.
    bool Plain() const { return Plain_; }
    void ShowPlain(bool plain);

  public slots:
    void OKBtnClick();
    void CancelBtnClick();

  private:
    int Decimals_;
    std::optional<std::string> Missing_;
    bool Plain_ = false;
};

} // namespace zirtel
