#include "gui/help_windows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zirtel {

namespace {
QTextEdit* HelpView(QWidget* parent) {
    auto* view = new QTextEdit(parent);
    view->setObjectName("RichEdit1");
    view->setReadOnly(true);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    view->setPalette(pal);
    return view;
}
} // namespace

TInstructionsForm::TInstructionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("InstructionsForm");
    setWindowTitle("Jarraibideak");
    setModal(true);
    RichEdit1 = HelpView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    resize(900, 700);
}

TOutputDescriptionForm::TOutputDescriptionForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("OutputDescriptionForm");
    setWindowTitle("Irteerako eremuen");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    setPalette(pal);
    RichEdit1 = HelpView(this);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OutputDescriptionGrid = new QTableWidget(1, 2, this);
    OutputDescriptionGrid->setObjectName("OutputDescriptionGrid");
    OutputDescriptionGrid->setFixedSize(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    layout->addWidget(OutputDescriptionGrid);
    resize(900, 700);
}

AboutDialog::AboutDialog(const QString& caption, const QString& version, const QString& okText,
                         const QString& credits, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);
    Title = new QLabel("Zirtelak (Zirtel)", this);
    QFont f = Title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 6);
    Title->setFont(f);
    Version = new QLabel(version, this);
    Credits = new QLabel(credits, this);
    Credits->setWordWrap(true);
    Credits->setTextFormat(Qt::PlainText);
    OKButton = new QPushButton(okText, this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Title);
    layout->addWidget(Version);
    layout->addWidget(Credits);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    layout->addLayout(buttons);
}

TAboutBox::TAboutBox(QWidget* parent)
    : AboutDialog("About this program", "Version 0.5", "OK",
                  "Word and nonword statistics for Basque stimuli.", parent) {
    setObjectName("AboutBox");
}

TBasqueAboutForm::TBasqueAboutForm(QWidget* parent)
    : AboutDialog("Honi buruz", "Version 1.0", "Ados",
                  "Euskarazko hitz eta sasihitzen estatistikak.", parent) {
    setObjectName("BasqueAboutForm");
}

} // namespace zirtel
