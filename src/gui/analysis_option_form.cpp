#include "gui/analysis_option_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "gui/colours.h"
#include "gui/file_paths.h"
#include "gui/main_form.h"
#include "gui/windows.h"

namespace zirtel {

TAnalysisOptionForm::TAnalysisOptionForm(Workspace& ws, QWidget* parent)
    : QDialog(parent), WS_(ws) {
    setObjectName("AnalysisOptionForm");
    setWindowTitle("Analisi-aukerak");
    setModal(true);
    ApplyFormColour(this);
    // A disabled box's caption is dimmed: white on green would look like any other.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 190, 150));
    setPalette(pal);

    const auto& groups = OptionGroups();
    const auto& boxes = OptionBoxes();
    std::vector<QGroupBox*> groupBoxes;
    std::vector<QVBoxLayout*> groupLayouts;
    for (const OptionGroup& g : groups) {
        auto* gb = new QGroupBox(
            QString::fromLatin1(g.Caption.data(), static_cast<qsizetype>(g.Caption.size())), this);
        gb->setObjectName(
            QString::fromLatin1(g.Name.data(), static_cast<qsizetype>(g.Name.size())));
        groupBoxes.push_back(gb);
        groupLayouts.push_back(new QVBoxLayout(gb));
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const OptionBox& b = boxes[i];
        const QString name =
            QString::fromLatin1(b.Name.data(), static_cast<qsizetype>(b.Name.size()));
        auto* cb = new QCheckBox(groupBoxes[static_cast<std::size_t>(b.Group)]);
        cb->setObjectName(name);
        Boxes_[name] = cb;
        const int index = static_cast<int>(i);
        connect(cb, &QCheckBox::toggled, this,
                [this, index](bool on) { WS_.Setup.Options.SetTicked(index, on); });
        QVBoxLayout* layout = groupLayouts[static_cast<std::size_t>(b.Group)];
        const int user =
            b.Field >= 0 ? FieldCatalogue()[static_cast<std::size_t>(b.Field)].UserField : 0;
        if (user > 0) {
            auto* row = new QHBoxLayout;
            row->addWidget(cb, 1);
            auto* load = new QPushButton("Bete", groupBoxes[static_cast<std::size_t>(b.Group)]);
            load->setObjectName(QString("User%1LoadFile").arg(user));
            (user == 1 ? User1LoadFile : user == 2 ? User2LoadFile : User3LoadFile) = load;
            row->addWidget(load);
            layout->addLayout(row);
        } else {
            layout->addWidget(cb);
        }
    }
    // The groups in the dialog's columns, each column in table order.
    auto* grid = new QHBoxLayout;
    int columns = 0;
    for (const OptionGroup& g : groups) columns = std::max(columns, g.Column + 1);
    for (int c = 0; c < columns; ++c) {
        auto* col = new QVBoxLayout;
        for (std::size_t g = 0; g < groups.size(); ++g)
            if (groups[g].Column == c) col->addWidget(groupBoxes[g]);
        col->addStretch(1);
        grid->addLayout(col);
    }
    auto* content = new QWidget;
    content->setLayout(grid);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setPalette(palette());

    OKBtn = new QPushButton("Ados", this);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = new QPushButton("Utzi", this);
    CancelBtn->setObjectName("CancelBtn");
    AllFieldsBtn = new QPushButton("Guztiak", this);
    AllFieldsBtn->setObjectName("AllFieldsBtn");
    NoFieldsBtn = new QPushButton("Bat ere ez", this);
    NoFieldsBtn->setObjectName("NoFieldsBtn");
    connect(AllFieldsBtn, &QPushButton::clicked, this, [this]() { TickAllFields(true); });
    connect(NoFieldsBtn, &QPushButton::clicked, this, [this]() { TickAllFields(false); });
    connect(OKBtn, &QPushButton::clicked, this, &TAnalysisOptionForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TAnalysisOptionForm::CancelBtnClick);
    connect(User1LoadFile, &QPushButton::clicked, this, &TAnalysisOptionForm::User1LoadFileClick);
    connect(User2LoadFile, &QPushButton::clicked, this, &TAnalysisOptionForm::User2LoadFileClick);
    connect(User3LoadFile, &QPushButton::clicked, this, &TAnalysisOptionForm::User3LoadFileClick);
    auto* label = new QLabel("Zirtelak", this);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 6);
    label->setFont(f);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addSpacing(20);
    buttons->addWidget(AllFieldsBtn);
    buttons->addWidget(NoFieldsBtn);
    buttons->addStretch(1);
    buttons->addWidget(label);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll, 1);
    outer->addLayout(buttons);
    resize(1100, 760);
    setWindowState(Qt::WindowMaximized);
    Refresh();
}

void TAnalysisOptionForm::Refresh() {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QCheckBox* cb = Boxes_.at(QString::fromLatin1(
            boxes[i].Name.data(), static_cast<qsizetype>(boxes[i].Name.size())));
        const QSignalBlocker block(cb);
        const std::string caption = WS_.Setup.Options.Caption(static_cast<int>(i));
        cb->setText(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
        cb->setChecked(WS_.Setup.Options.Ticked(static_cast<int>(i)));
        const bool enabled = WS_.Setup.Options.Enabled(static_cast<int>(i));
        cb->setEnabled(enabled);
        cb->setToolTip(enabled ? QString() : QString(kUndefinedUserFieldTip));
    }
}

void TAnalysisOptionForm::TickAllFields(bool ticked) {
    const auto& boxes = OptionBoxes();
    for (const OptionBox& b : boxes) {
        if (b.Field < 0 || FieldCatalogue()[static_cast<std::size_t>(b.Field)].UserField > 0)
            continue;
        Boxes_.at(QString::fromLatin1(b.Name.data(), static_cast<qsizetype>(b.Name.size())))
            ->setChecked(ticked);
    }
}

void TAnalysisOptionForm::LoadUserFile(int number) {
    if (!MainForm || !MainForm->ChooseOpenFile) return;
    const QString path = MainForm->ChooseOpenFile();
    if (path.isEmpty()) return;
    LoadUserField(WS_, ToPath(path), number);
    Refresh();
}

void TAnalysisOptionForm::User1LoadFileClick() {
    LoadUserFile(0);
}
void TAnalysisOptionForm::User2LoadFileClick() {
    LoadUserFile(1);
}
void TAnalysisOptionForm::User3LoadFileClick() {
    LoadUserFile(2);
}

void TAnalysisOptionForm::OKBtnClick() {
    accept();
}
void TAnalysisOptionForm::CancelBtnClick() {
    reject();
}

} // namespace zirtel
