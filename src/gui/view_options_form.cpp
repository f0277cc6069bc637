#include "gui/view_options_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/colours.h"

namespace zirtel {

TOptions::TOptions(int decimals, QWidget* parent) : QDialog(parent), Decimals_(decimals) {
    setObjectName("Options");
    setWindowTitle("Aukerak");
    setModal(true);
    ApplyFormColour(this);
    NumFormat = new QGroupBox("Zenbakien Formatua", this);
    NumFormat->setObjectName("NumFormat");
    NumFormatItems = new QButtonGroup(this);
    auto* items = new QVBoxLayout(NumFormat);
    for (int i = 0; i <= 4; ++i) {
        auto* rb = new QRadioButton(QString("%1 hamartarrekin").arg(i), NumFormat);
        NumFormatItems->addButton(rb, i);
        items->addWidget(rb);
    }
    MissingBox = new QCheckBox("Falta diren balioen ordez idatzi:", this);
    MissingBox->setObjectName("MissingBox");
    MissingEdit = new QLineEdit("NA", this);
    MissingEdit->setObjectName("MissingEdit");
    MissingEdit->setEnabled(false);
    connect(MissingBox, &QCheckBox::toggled, MissingEdit, &QLineEdit::setEnabled);
    auto* missing = new QHBoxLayout;
    missing->addWidget(MissingBox);
    missing->addWidget(MissingEdit);
    PlainBox = new QCheckBox("Taula garbia (R/Python) gorde eta kopiatu: betegarririk, amaierako "
                             "tabulaziorik eta azken errenkada hutsik gabe",
                             this);
    PlainBox->setObjectName("PlainBox");
    OKBtn = new QPushButton("Ados", this);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = new QPushButton("Utzi", this);
    CancelBtn->setObjectName("CancelBtn");
    connect(OKBtn, &QPushButton::clicked, this, &TOptions::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptions::CancelBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NumFormat);
    layout->addLayout(missing);
    layout->addWidget(PlainBox);
    layout->addLayout(buttons);
    SelectItem(Decimals_);
}

void TOptions::SelectItem(int index) {
    if (QAbstractButton* b = NumFormatItems->button(index)) b->setChecked(true);
}

void TOptions::OKBtnClick() {
    Decimals_ = std::max(0, NumFormatItems->checkedId());
    if (MissingBox->isChecked())
        Missing_ = MissingEdit->text().toStdString();
    else
        Missing_.reset();
    Plain_ = PlainBox->isChecked();
    accept();
}

void TOptions::CancelBtnClick() {
    reject();
    SelectItem(Decimals_);
    ShowMissing(Missing_);
    ShowPlain(Plain_);
}

void TOptions::ShowPlain(bool plain) {
    PlainBox->setChecked(plain);
}

void TOptions::ShowMissing(const std::optional<std::string>& missing) {
    MissingBox->setChecked(missing.has_value());
    if (missing) MissingEdit->setText(QString::fromStdString(*missing));
}

} // namespace zirtel
