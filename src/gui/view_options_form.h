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
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    // The decimals chosen when the dialog was closed with OK.
    int Decimals() const { return Decimals_; }
    void SelectItem(int index);
    // The missing-value text chosen when the dialog was closed with OK; nothing: the marks.
    const std::optional<std::string>& Missing() const { return Missing_; }
    // Shows a setting (the one in force) in the box and the edit.
    void ShowMissing(const std::optional<std::string>& missing);

  public slots:
    void OKBtnClick();
    void CancelBtnClick();

  private:
    int Decimals_;
    std::optional<std::string> Missing_;
};

} // namespace zirtel
