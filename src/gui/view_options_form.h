// TOptions: the view options dialog ("Aukerak"): the number of decimals of every real value.
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace zirtel {

class TOptions : public QDialog {
    Q_OBJECT
  public:
    // `decimals` is the setting in force; it is selected at creation.
    explicit TOptions(int decimals, QWidget* parent = nullptr);

    QGroupBox* NumFormat;
    QButtonGroup* NumFormatItems;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    // The decimals chosen when the dialog was closed with OK.
    int Decimals() const { return Decimals_; }
    void SelectItem(int index);

  public slots:
    void OKBtnClick();
    void CancelBtnClick();

  private:
    int Decimals_;
};

} // namespace zirtel
