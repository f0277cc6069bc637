#include "gui/progress_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zirtel {

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ProgressForm");
    setWindowTitle("Progresioa");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    ProgressLabel = new QLabel("Opening vocabulary file ....", this);
    ProgressLabel->setObjectName("ProgressLabel");
    ProgressLabel->setAlignment(Qt::AlignCenter);
    FileLabel = new QLabel(this);
    FileLabel->setObjectName("FileLabel");
    FileLabel->setAlignment(Qt::AlignCenter);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setMinimum(0);
    layout->addWidget(ProgressLabel);
    layout->addWidget(FileLabel);
    layout->addWidget(ProgressBar1);
    CancelBtn = new QPushButton("Utzi", this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->hide();
    connect(CancelBtn, &QPushButton::clicked, this, [this]() { CancelRequested = true; });
    layout->addWidget(CancelBtn, 0, Qt::AlignHCenter);
    resize(420, 120);
    LastPaint_.start();
}

void TProgressForm::ShowCancel() {
    CancelBtn->show();
    Repaint(true);
}

void TProgressForm::SetPosition(int position) {
    ProgressBar1->setValue(std::min(position, ProgressBar1->maximum()));
    Repaint();
}

void TProgressForm::Step() {
    SetPosition(ProgressBar1->value() + 1);
}

void TProgressForm::Repaint(bool force) {
    if (!isVisible()) return;
    if (!force && LastPaint_.elapsed() < 50) return;
    LastPaint_.restart();
    repaint();
}

} // namespace zirtel
