#include "gui/neigh_window.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/feedback/messages.h"
#include "core/fields/neighbour_list.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/file_identity.h"
#include "gui/basque_dialogs.h"
#include "gui/colours.h"
#include "gui/file_paths.h"
#include "gui/grid_model.h"
#include "gui/main_form.h"

namespace zirtel {

NeighbourListWindow::NeighbourListWindow(TMainForm& main, NeighbourList& list, Texts texts,
                                         QWidget* parent)
    : QMainWindow(parent), Main_(main), List_(list), Texts_(texts) {
    setWindowTitle(Texts_.Caption);
    NeighList = new QTableView(this);
    NeighList->setObjectName("NeighList");
    Model_ = new GridModel(List_.NeighList, Main_.Grids().ListView(List_), this);
    NeighList->setModel(Model_);
    NeighList->setItemDelegate(new FullTextTipDelegate(NeighList));
    NeighList->setFont(GridFont());
    NeighList->verticalHeader()->hide();
    NeighList->verticalHeader()->setDefaultSectionSize(18);
    NeighList->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    NeighList->horizontalHeader()->setDefaultSectionSize(65);
    NeighList->setSelectionBehavior(QAbstractItemView::SelectRows);
    NeighList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    NeighList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette pal = NeighList->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    NeighList->setPalette(pal);
    setCentralWidget(NeighList);
    connect(NeighList, &QTableView::clicked, this, &NeighbourListWindow::NeighListClick);
    // Scrolling and selecting in the list are kept in the presenter, so that a refresh shows the
    // list as the user left it.
    connect(NeighList->verticalScrollBar(), &QScrollBar::valueChanged, this, [this]() {
        const int top = NeighList->rowAt(0);
        if (top >= 0) Main_.Grids().ListView(List_).TopRow = GridRow(top);
    });
    connect(NeighList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this]() { ReadGridSelection(NeighList, Main_.Grids().ListView(List_)); });

    NeighMenu = menuBar();
    QMenu* file = NeighMenu->addMenu("&Fitxategia");
    Saveneighbourlist1 = file->addAction("&Auzokideen zerrenda gorde", this,
                                         &NeighbourListWindow::Saveneighbourlist1Click);
    Exit1 = file->addAction("&Irten", &Main_, &TMainForm::Exit1Click);
    QMenu* window = NeighMenu->addMenu("&Leihoa");
    MainForm1 = window->addAction("&Leiho nagusia", this, &NeighbourListWindow::MainForm1Click);
    NeighbourList1 = window->addAction("&Auzokideen zerrenda");
    NoFieldsLabel = new QLabel(QString::fromStdString(Texts_.NoFieldsText), this);
    NoFieldsLabel->setObjectName("NoFieldsLabel");
    NoFieldsLabel->setWordWrap(true);
    statusBar()->addWidget(NoFieldsLabel, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->hide();
    resize(900, 600);
    setWindowState(Qt::WindowMaximized);
    ChooseSaveFile = [this]() {
        return ChooseFileToSave(this, "Save File", Main_.DialogDir, "Text file (*.txt)");
    };
    RefreshList();
}

void NeighbourListWindow::RefreshList() {
    Model_->Sync(NeighList);
    const bool filled = !Texts_.Filled || Texts_.Filled(Main_.WS());
    statusBar()->setHidden(filled);
}

void NeighbourListWindow::Saveneighbourlist1Click() {
    QString path = ChooseSaveFile();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".txt";
    if (SameFile(ToPath(path), Main_.WS().InputFile)) {
        Main_.UI().ShowMessage("Fitxategi-errorea", kOverInputText, MessageButtons::OkCancel);
        return;
    }
    int error = 0;
    if (!List_.Save(ToPath(path), &error)) {
        Show(Main_.UI(), Texts_.SaveFailed(ToPath(path).string(), SystemReason(error)));
        return;
    }
    Main_.UI().ShowMessage("", "Auzokide-zerrenda gorde egin da", MessageButtons::OkCancel);
}

void NeighbourListWindow::MainForm1Click() {
    hide();
}

void NeighbourListWindow::NeighListClick(const QModelIndex& index) {
    if (!index.isValid()) return;
    Main_.Grids().NeighListClick(List_, GridRow(index.row()));
}

namespace {

// The orthographic search lists while the list is shown and one of its fields is shown, or
// deletion or addition neighbours are to be listed.
bool OrthoListFilled(const Workspace& ws) {
    return ws.ShowNeighbourList && OrthoNeighbourSearchWanted(ws);
}

bool PhonListFilled(const Workspace& ws) {
    return PhonNeighbourFieldsShown(ws);
}

// The fields that fill each list, named from the field table.
std::string OrthoNoFieldsText() {
    return "Zerrenda hau ez da betetzen: aukeratu \"Analisi-aukerak\" leihoan auzokide "
           "ortografikoen eremuetako bat (" +
           FamilyNames(&FindOrthoNeighbours, true) + ") eta \"Erakutsi auzokideen zerrenda\".";
}
std::string PhonNoFieldsText() {
    return "Zerrenda hau ez da betetzen: aukeratu \"Analisi-aukerak\" leihoan auzokide "
           "fonologikoen eremuetako bat (" +
           FamilyNames(&AnalysePhonNeighbours, true) + ").";
}

} // namespace

TNeighWindow::TNeighWindow(TMainForm& main, QWidget* parent)
    : NeighbourListWindow(main, main.WS().OrthoNeighbours,
                          Texts{"Orto-auzokide zerrenda", &msg::OrthoListNotSaved,
                                OrthoNoFieldsText(), &OrthoListFilled},
                          parent) {
    setObjectName("NeighWindow");
    // No buttons on the title bar: the window is left through its menu.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowState(Qt::WindowMaximized);
}

TPhonNeighWindow::TPhonNeighWindow(TMainForm& main, QWidget* parent)
    : NeighbourListWindow(main, main.WS().PhonNeighbours,
                          Texts{"Fon-auzokide zerrenda", &msg::PhonListNotSaved, PhonNoFieldsText(),
                                &PhonListFilled},
                          parent) {
    setObjectName("PhonNeighWindow");
}

} // namespace zirtel
