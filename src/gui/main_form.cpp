#include "gui/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "cli/settings_file.h"
#include "core/analysis/results_output.h"
#include "core/analysis/results_style.h"
#include "core/analysis/row_order.h"
#include "core/feedback/messages.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "gui/analysis_option_form.h"
#include "gui/basque_dialogs.h"
#include "gui/colours.h"
#include "gui/file_paths.h"
#include "gui/grid_model.h"
#include "gui/histogram_window.h"
#include "gui/neigh_window.h"
#include "gui/pseudoword_form.h"
#include "gui/selector_window.h"
#include "gui/windows.h"

namespace zirtel {

namespace {

// Puts Latin-1 text on the clipboard as plain text.
void SetClipboardLatin1(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

constexpr const char* kNotLatin1Text = "Sarrerak Latin-1 ez den karaktere bat du; euskal letrak "
                                       "eta Latin-1 karaktereak bakarrik onartzen dira.";
constexpr const char* kUnsavedText = "Gorde gabeko emaitzak daude. Gorde irten aurretik?";
constexpr const char* kUnsavedNewText =
    "Gorde gabeko emaitzak daude. Gorde zerrenda berria hasi aurretik?";
constexpr const char* kUnsavedOpenText =
    "Gorde gabeko emaitzak daude. Gorde fitxategia ireki aurretik?";
constexpr const char* kSaveWhichRowsText =
    "Iragazkiak errenkada batzuk ezkutatzen ditu. Errenkada guztiak gorde, ala erakutsiak "
    "bakarrik?";

// A fingerprint of the results: the field headers, and the item and field cells of every row
// (FNV-1a). Nothing when no field cell holds a result.
std::optional<std::uint64_t> ResultsFingerprint(const Workspace& ws) {
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](std::string_view text) {
        for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
        hash = (hash ^ 0x100u) * 1099511628211ull; // the end of a cell
    };
    bool any = false;
    const StringGrid& grid = ws.OutputGrid;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 1; c < ws.NextCol; ++c) {
            const std::string_view cell = grid.Cell(c, r);
            if (r > 0 && c >= ws.FirstFieldCol() && !cell.empty()) any = true;
            mix(cell);
        }
    if (!any) return std::nullopt;
    return hash;
}

// Shows a satellite window in front, restored if it was minimised (a maximised one stays so).
void BringBack(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TMainForm::TMainForm(std::filesystem::path appDir, Feedback* feedback, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("MainForm");
    setWindowTitle("Zirtelak (Zirtel)");
    if (!feedback) {
        OwnFeedback_ = std::make_unique<QtFeedback>(this);
        feedback = OwnFeedback_.get();
    }
    Feedback_ = feedback;
    WS_ = std::make_unique<Workspace>(*Feedback_, std::move(appDir));
    Grids_ = std::make_unique<GridPresenter>(*WS_);
    DialogDir = ToQString(WS_->Setup.AppDir);
    ChooseOpenFile = [this]() {
        return ChooseFileToOpen(this, "Open File", DialogDir,
                                "Text Files (*.txt);;Vocabulary Files (*.vcb);;Input Files (*.in)");
    };
    ChooseSaveFile = [this]() {
        return ChooseFileToSave(this, "Save File", DialogDir, "Text file (*.txt)", "txt");
    };

    ChooseSettingsToSave = [this]() {
        return ChooseFileToSave(this, "Gorde ezarpenak", DialogDir, "JSON (*.json)", "json");
    };
    ChooseSettingsToOpen = [this]() {
        return ChooseFileToOpen(this, "Kargatu ezarpenak", DialogDir, "JSON (*.json)");
    };
    setAcceptDrops(true);
    ChooseSaveAllRows = [this]() -> std::optional<bool> {
        QMessageBox box(QMessageBox::Question, "Abisua", kSaveWhichRowsText, QMessageBox::NoButton,
                        this);
        QPushButton* all = box.addButton("Guztiak", QMessageBox::AcceptRole);
        QPushButton* shown = box.addButton("Erakutsiak", QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton("Utzi", QMessageBox::RejectRole);
        box.setDefaultButton(all);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == all) return true;
        if (box.clickedButton() == shown) return false;
        return std::nullopt;
    };

    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFormColor);
    setPalette(pal);

    BuildPanel();
    BuildGrids();
    BuildFilterPanel();
    BuildMenus();
    qApp->installEventFilter(this);
    // Whatever an engine operation changed is shown when it ends.
    WS_->SetChangeObserver([this]() { RefreshGrids(); });

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 5, 5);
    outer->setSpacing(0);
    outer->addWidget(Panel1);
    auto* grids = new QHBoxLayout;
    grids->setSpacing(5);
    grids->addWidget(StimulusGrid);
    grids->addWidget(OutputGrid, 1);
    outer->addWidget(SummaryGrid);
    outer->addLayout(grids, 1);
    setCentralWidget(central);
    resize(1280, 800);
}

TMainForm::~TMainForm() {
    // The views and the satellite windows read the workspace: they go before it does, and hear
    // of no change any more.
    WS_->SetChangeObserver(nullptr);
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isWindow()) delete w;
    delete StimulusGrid;
    delete OutputGrid;
    delete StimulusModel_;
    delete OutputModel_;
}

void TMainForm::BuildPanel() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(41);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, kFormColor);
    Panel1->setPalette(pal);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 4, 4, 4);
    Button1 = new QPushButton("Analisi-aukerak", Panel1);
    Button1->setObjectName("Button1");
    Label2 = new QLabel("Sartu hemen sarrera:", Panel1);
    Label2->setObjectName("Label2");
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    QPalette lp = Label2->palette();
    lp.setColor(QPalette::WindowText, Qt::white);
    Label2->setPalette(lp);
    EditLine = new QLineEdit(Panel1);
    EditLine->setObjectName("EditLine");
    EditLine->setFont(GridFont());
    QPalette ep = EditLine->palette();
    ep.setColor(QPalette::Base, Qt::white);
    EditLine->setPalette(ep);
    EditLine->installEventFilter(this);
    SingleItemBtn1 = new QPushButton("Aukeratutako itemen estat. eskuratu", Panel1);
    SingleItemBtn1->setObjectName("SingleItemBtn1");
    AnalyseAllBtn = new QPushButton("Zerrenda osoaren estat. eskuratu", Panel1);
    AnalyseAllBtn->setObjectName("AnalyseAllBtn");
    SummaryBtn = new QPushButton("Show summary stats", Panel1);
    SummaryBtn->setObjectName("SummaryBtn");
    SummaryBtn->setEnabled(false);
    SummaryBtn->setVisible(false);
    row->addWidget(Button1);
    row->addWidget(Label2);
    row->addWidget(EditLine, 1);
    row->addWidget(SingleItemBtn1);
    row->addWidget(AnalyseAllBtn);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(SingleItemBtn1, &QPushButton::clicked, this, &TMainForm::SingleItemBtn1Click);
    connect(AnalyseAllBtn, &QPushButton::clicked, this, &TMainForm::AnalyseAllBtnClick);
    connect(EditLine, &QLineEdit::returnPressed, this, &TMainForm::OnEditLineKeyDown);
}

void TMainForm::BuildGrids() {
    const QFont font = GridFont();
    StimulusGrid = new QTableView(this);
    StimulusGrid->setObjectName("StimulusGrid");
    StimulusModel_ = new GridModel(WS_->StimulusGrid, Grids_->Stimulus, this);
    StimulusModel_->SetEditable(true);
    StimulusGrid->setModel(StimulusModel_);
    StimulusGrid->setItemDelegate(
        new GridCellDelegate(kHeaderColor, Qt::white, Qt::white, kHeaderColor, this));
    StimulusGrid->setFixedWidth(kStimulusColWidth);
    StimulusGrid->horizontalHeader()->setStretchLastSection(true);
    StimulusGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    StimulusGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StimulusGrid->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    StimulusGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StimulusGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    OutputGrid = new QTableView(this);
    OutputGrid->setObjectName("OutputGrid");
    OutputModel_ = new GridModel(WS_->OutputGrid, Grids_->Output, this);
    OutputGrid->setModel(OutputModel_);
    OutputGrid->setItemDelegate(
        new GridCellDelegate(kFormColor, Qt::white, kSelectedResultColor, Qt::white, this));
    OutputGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    OutputGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OutputGrid->horizontalHeader()->setSectionsMovable(true);
    OutputGrid->horizontalHeader()->setSectionsClickable(true);
    OutputGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    for (QTableView* v : {StimulusGrid, OutputGrid}) {
        v->setFont(font);
        v->verticalHeader()->hide();
        v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        v->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
        v->horizontalHeader()->setFixedHeight(kGridRowHeight);
        v->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
        v->horizontalHeader()->setFont(font);
        v->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        v->setShowGrid(true);
        v->setStyleSheet("QHeaderView::section { background-color: rgb(255,0,0); color: white; "
                         "border: 1px solid "
                         "rgb(128,0,0); padding: 0px; }");
        v->setWordWrap(false);
    }
    OutputGrid->horizontalHeader()->setDefaultSectionSize(kDefaultColWidth);
    // The area below the last row and right of the last column has the cells' colour.
    for (auto [view, colour] :
         {std::pair{StimulusGrid, kHeaderColor}, std::pair{OutputGrid, kFormColor}}) {
        QPalette pal = view->palette();
        pal.setColor(QPalette::Base, colour);
        view->setPalette(pal);
    }

    SummaryGrid = new QTableWidget(10, 37, this);
    SummaryGrid->setObjectName("SummaryGrid");
    SummaryGrid->setFixedHeight(0);
    SummaryGrid->hide();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    OutputGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(OutputGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupComponent_ = OutputGrid;
        PopupMenu1->popup(OutputGrid->viewport()->mapToGlobal(pos));
    });

    // Scrolling: both grids always show the same top row. While the views are being brought in
    // step with the engine, their scroll bars move as the rows are laid out again: the
    // presenter's top row is then the one that holds, and is applied to both views afterwards.
    connect(OutputGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (Syncing_) return;
        if (StimulusGrid->verticalScrollBar()->value() != value)
            StimulusGrid->verticalScrollBar()->setValue(value);
        Grids_->Output.TopRow = Grids_->Stimulus.TopRow = GridRow(value);
        AlignItemRows();
    });
    connect(StimulusGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (Syncing_) return;
        if (OutputGrid->verticalScrollBar()->value() != value)
            OutputGrid->verticalScrollBar()->setValue(value);
        AlignItemRows();
    });
    connect(StimulusModel_, &GridModel::CellEdited, this, &TMainForm::StimulusGridKeyDown);
    connect(StimulusModel_, &GridModel::NotLatin1, this,
            [this]() { Feedback_->ShowMessage("Errorea", kNotLatin1Text, MessageButtons::Ok); });
    connect(StimulusGrid, &QTableView::pressed, this, [this]() { StimulusGridMouseDown(); });
    connect(OutputGrid, &QTableView::pressed, this, &TMainForm::OutputGridMouseDown);
    connect(OutputGrid->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &TMainForm::OutputGridHeaderClick);
    connect(OutputGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TMainForm::OutputGridHeaderSort);
    // The item list's "Sarrera" sorts by the items.
    StimulusGrid->horizontalHeader()->setSectionsClickable(true);
    connect(StimulusGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this]() { OutputGridHeaderSort(1); });
    connect(OutputGrid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int newSize) { OutputColumnResized(col, newSize); });
    connect(OutputGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this]() { OutputGridSelectCell(); });
}

void TMainForm::BuildFilterPanel() {
    // In the strip at the top, after its buttons: the results keep their height.
    FilterPanel = new QWidget(Panel1);
    FilterPanel->setObjectName("FilterPanel");
    auto* row = new QHBoxLayout(FilterPanel);
    row->setContentsMargins(0, 0, 0, 0);
    // No label beside it: the line names itself while it is empty, so that the entry line keeps
    // its room on a small screen.
    FilterLine = new QLineEdit(FilterPanel);
    FilterLine->setObjectName("FilterLine");
    FilterLine->setPlaceholderText("Iragazkia: N > 3,  LUZ_L 4-6,  HOM = -1,  KB_O KV*");
    FilterLine->setToolTip("Iragazkia: N > 3,  LUZ_L 4-6,  HOM = -1,  KB_O KV*");
    FilterLine->setClearButtonEnabled(true);
    FilterCount = new QLabel(FilterPanel);
    FilterCount->setObjectName("FilterCount");
    QPalette lp = FilterCount->palette();
    lp.setColor(QPalette::WindowText, Qt::white);
    FilterCount->setPalette(lp);
    row->addWidget(FilterLine, 1);
    row->addWidget(FilterCount);
    static_cast<QHBoxLayout*>(Panel1->layout())->addWidget(FilterPanel, 1);
    connect(FilterLine, &QLineEdit::returnPressed, this, &TMainForm::FilterLineEntered);
    // Emptied by its clear button: every row again.
    connect(FilterLine, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty() && WS_->Filter) FilterLineEntered();
    });
}

void TMainForm::FilterLineEntered() {
    std::string text;
    if (!ToLatin1(FilterLine->text(), text)) {
        Feedback_->ShowMessage("Errorea", kNotLatin1Text, MessageButtons::Ok);
        return;
    }
    if (Trim(text).empty()) {
        WS_->Filter.reset();
    } else {
        std::string error;
        std::optional<RowFilter> filter = ParseRowFilter(*WS_, text, error);
        if (!filter) {
            Feedback_->ShowMessage("Abisua", error, MessageButtons::Ok);
            return;
        }
        WS_->Filter = std::move(filter);
    }
    ApplyFilter();
}

void TMainForm::ApplyFilter() {
    const int rows = OutputModel_->rowCount();
    for (int m = 0; m < rows; ++m) {
        const int r = GridRow(m);
        const bool hide = WS_->Filter && r < WS_->NextRow && !WS_->RowShown(r);
        if (OutputGrid->isRowHidden(m) != hide) OutputGrid->setRowHidden(m, hide);
        if (StimulusGrid->isRowHidden(m) != hide) StimulusGrid->setRowHidden(m, hide);
    }
    if (!WS_->Filter) {
        if (!FilterCount->text().isEmpty()) FilterCount->clear();
        return;
    }
    FilterCount->setText(
        QString::fromUtf8(ShownRowsText(WS_->ShownRowCount(), std::max(WS_->NextRow - 1, 0))));
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    QMenu* file = bar->addMenu("&Fitxategia");
    NewInputFile1 = file->addAction("&Berria", this, &TMainForm::NewInputFile1Click);
    OpenInputFile1 =
        file->addAction("&Ireki sarrerako fitxategia ", this, &TMainForm::OpenInputFile1Click);
    SaveOutputFile1 =
        file->addAction("&Gorde irteerako estatistikoak", this, &TMainForm::SaveOutputFile1Click);
    SaveOutputFile2 = file->addAction("Gorde irteerako estatistikoak (&TSV R/Python)", this,
                                      &TMainForm::SaveOutputFile2Click);
    SaveSettings1 = file->addAction("Gorde e&zarpenak", this, &TMainForm::SaveSettings1Click);
    LoadSettings1 = file->addAction("&Kargatu ezarpenak", this, &TMainForm::LoadSettings1Click);
    RecentFiles1 = file->addMenu("A&zken fitxategiak");
    RecentFiles1->setObjectName("RecentFiles1");
    RecentFiles1->setEnabled(false);
    OpenInputFile1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveOutputFile1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Exit1 = file->addAction("I&rten", this, &TMainForm::Exit1Click);
    QMenu* edit = bar->addMenu("&Editatu");
    Copy2 = edit->addAction("&Kopiatu", this, &TMainForm::Copy2Click);
    Copy2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = edit->addAction("&Itsatsi", this, &TMainForm::Paste1Click);
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    QMenu* analyse = bar->addMenu("&Analizatu");
    NeighbourStats1 = analyse->addAction("&Item guztiak ", this, &TMainForm::NeighbourStats1Click);
    NeighbourStats1->setShortcut(QKeySequence(Qt::Key_F8));
    SelectedItems1 =
        analyse->addAction("&Aukeratutako itemak", this, &TMainForm::SelectedItems1Click);
    SelectedItems1->setShortcut(QKeySequence(Qt::Key_F9));
    Options1 = analyse->addAction("&Aukerak", this, &TMainForm::Options1Click);
    Selector1 = analyse->addAction("&Estimuluen hautatzailea", this, &TMainForm::Selector1Click);
    QMenu* vocab = bar->addMenu("&Hitzegia");
    Wholeword1 = vocab->addAction("&Testu-hitzak", this, &TMainForm::Wholeword1Click);
    Wholeword1->setCheckable(true);
    Wholeword1->setChecked(true);
    Lemmas1 = vocab->addAction("&Lemak", this, &TMainForm::Lemmas1Click);
    Lemmas1->setCheckable(true);
    QMenu* options = bar->addMenu("A&ukerak");
    View1 = options->addAction("&Ikusi", this, &TMainForm::View1Click);
    QMenu* window = bar->addMenu("&Leihoa");
    MainWindow1 = window->addAction("&Leiho nagusia");
    Neighbourlist1 =
        window->addAction("&Orto-auzokide zerrenda", this, &TMainForm::Neighbourlist1Click);
    Phonneighlist1 =
        window->addAction("&Fon-auzokide zerrenda", this, &TMainForm::Phonneighlist1Click);
    Pseudowords1 = window->addAction("&Sasihitz-sortzailea", this, &TMainForm::Pseudowords1Click);
    Histogram1 = window->addAction("&Histograma", this, &TMainForm::Histogram1Click);
    QMenu* help = bar->addMenu("&Laguntza");
    Instructions1 = help->addAction("&Jarraibideak", this, &TMainForm::Instructions1Click);
    Instructions1->setShortcut(QKeySequence(Qt::Key_F1));
    OutputFields1 =
        help->addAction("&Irteerako eremuen deskribapena  ", this, &TMainForm::OutputFields1Click);
    About1 = help->addAction("&Honi buruz", this, &TMainForm::About1Click);
    QMenu* help2 = bar->addMenu("Help");
    Instructions3 = help2->addAction("Instructions", this, &TMainForm::Instructions3Click);
    Instructions2 =
        help2->addAction("Description of Output Fields", this, &TMainForm::Instructions2Click);
    About2 = help2->addAction("About", this, &TMainForm::About2Click);
    Copy1 = PopupMenu1->addAction("&Copy", this, &TMainForm::Copy1Click);
    Copyall1 = PopupMenu1->addAction("Copy &All", this, &TMainForm::Copyall1Click);
    Histogram2 = PopupMenu1->addAction("&Histograma", this, &TMainForm::Histogram1Click);
    // Menu shortcuts work whichever control has the focus.
    for (QAction* a : {Copy2, Paste1, NeighbourStats1, SelectedItems1, Instructions1})
        a->setShortcutContext(Qt::ApplicationShortcut);
}

void TMainForm::Startup(const std::optional<std::filesystem::path>& inputFile) {
    UpdateVisibleRows();
    if (inputFile) DialogDir = ToQString(std::filesystem::absolute(*inputFile).parent_path());
    WS_->PrepareGrids();
    WS_->LoadStartupData(inputFile);
}

void TMainForm::RefreshGrids() {
    if (Syncing_) return;
    Syncing_ = true;
    OutputModel_->Sync(OutputGrid);
    StimulusModel_->Sync(StimulusGrid);
    StimulusGrid->setColumnWidth(0, kStimulusColWidth);
    if (NeighWindow) NeighWindow->RefreshList();
    if (PhonNeighWindow) PhonNeighWindow->RefreshList();
    Syncing_ = false;
    ApplyFilter();
    AlignItemRows();
}

void TMainForm::AlignItemRows() {
    // Scrolled to its end, the results view shows its last row whole at the bottom, so its rows
    // no longer start at a multiple of the row height; the item view is given the same offset,
    // or the items would stand a few pixels off their results.
    const int offset = OutputGrid->verticalHeader()->offset();
    if (StimulusGrid->verticalHeader()->offset() == offset) return;
    StimulusGrid->verticalHeader()->setOffset(offset);
    StimulusGrid->viewport()->update();
}

bool TMainForm::EditLineLatin1(std::string& out) {
    if (ToLatin1(EditLine->text(), out)) return true;
    Feedback_->ShowMessage("Errorea", kNotLatin1Text, MessageButtons::Ok);
    return false;
}

void TMainForm::UpdateVisibleRows() {
    const int visible = std::max(1, OutputGrid->viewport()->height() / kGridRowHeight);
    Grids_->Output.VisibleRows = visible;
    Grids_->Stimulus.VisibleRows = visible;
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    UpdateVisibleRows();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && OutputGrid &&
        watched == OutputGrid->viewport())
        OutputPressX_ = static_cast<QMouseEvent*>(event)->position().toPoint().x();
    // Ctrl+C and Ctrl+V are the menu's commands even while the entry line has the focus; Ctrl+C
    // copies the results whichever control of the window has it (a cell editor too).
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool copy = key->matches(QKeySequence::Copy);
        if ((watched == EditLine && (copy || key->matches(QKeySequence::Paste))) ||
            (copy && widget && widget->window() == this)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Commands ----

void TMainForm::NewInputFile1Click() {
    if (!ConfirmDiscard(kUnsavedNewText)) return;
    const Workspace::Operation op(*WS_);
    Grids_->ClearItems();
    Grids_->SelectFirstRow();
}

void TMainForm::OpenInputFile1Click() {
    const QString path = ChooseOpenFile();
    if (!path.isEmpty()) OpenItemsFile(path);
}

void TMainForm::OpenItemsFile(const QString& path) {
    if (!ConfirmDiscard(kUnsavedOpenText)) return;
    DialogDir = QFileInfo(path).absolutePath();
    const Workspace::Operation op(*WS_);
    if (!Grids_->ReadInputFile(ToPath(path))) return;
    Grids_->SelectFirstRow();
    RememberItemsFile(path);
}

void TMainForm::RememberItemsFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    Recent_.removeAll(absolute);
    Recent_.prepend(absolute);
    while (Recent_.size() > 8) Recent_.removeLast();
    UpdateRecentFiles();
}

void TMainForm::UpdateRecentFiles() {
    RecentFiles1->clear();
    for (const QString& path : Recent_)
        RecentFiles1->addAction(path, this, [this, path]() { OpenItemsFile(path); });
    RecentFiles1->setEnabled(!Recent_.isEmpty());
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    OpenItemsFile(urls.front().toLocalFile());
}

void TMainForm::SaveSettings1Click() {
    QString path = ChooseSettingsToSave();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".json";
    int error = 0;
    if (!WriteFileAtomically(ToPath(path), WindowSettingsJson(*WS_), &error)) {
        Feedback_->ShowMessage("Fitxategi-errorea",
                               "Ezin dira gorde ezarpenak: " + ToPath(path).string() + ": " +
                                   SystemReason(error),
                               MessageButtons::OkCancel);
        return;
    }
    Feedback_->ShowMessage("", "Ezarpenak gordeta", MessageButtons::Ok);
}

void TMainForm::LoadSettings1Click() {
    const QString path = ChooseSettingsToOpen();
    if (path.isEmpty()) return;
    // The file's bytes as they are (its paths are UTF-8).
    QFile in(path);
    std::optional<std::string> file;
    if (in.open(QIODevice::ReadOnly) && in.size() < (1 << 20)) file = in.readAll().toStdString();
    std::string error;
    const std::optional<LoadedSettings> settings =
        file ? ReadSettingsJson(*file, error) : std::nullopt;
    if (!settings) {
        Feedback_->ShowMessage("Fitxategi-errorea",
                               "Ezin dira kargatu ezarpenak: " + ToPath(path).string() +
                                   (file ? ": " + error : std::string()),
                               MessageButtons::OkCancel);
        return;
    }
    if (!ConfirmDiscard(kUnsavedOpenText)) return;
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    const Workspace::Operation op(*WS_);
    std::string problems;
    ApplySettings(*WS_, *settings, problems);
    if (settings->Items) Grids_->ScrollTo(1);
    Wholeword1->setChecked(!WS_->Setup.LemmasCurrent);
    Lemmas1->setChecked(WS_->Setup.LemmasCurrent);
    if (!problems.empty()) Feedback_->ShowMessage("Abisua", problems, MessageButtons::Ok);
    if (!WS_->InputFile.empty()) RememberItemsFile(ToQString(WS_->InputFile));
    Grids_->SelectFirstRow();
    WS_->AnalyseAll();
}

void TMainForm::SaveOutputFile1Click() {
    SaveResults();
}

void TMainForm::SaveOutputFile2Click() {
    SaveResults(ResultsStyle{WS_->MissingText.value_or("NA"), true}, ".tsv");
}

bool TMainForm::SaveResults() {
    return SaveResults(ResultsStyle{WS_->MissingText, WS_->PlainResults}, ".txt");
}

bool TMainForm::SaveResults(ResultsStyle style, const char* defaultSuffix) {
    QString path = ChooseSaveFile();
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += defaultSuffix;
    if (WS_->Filter && WS_->ShownRowCount() < WS_->NextRow - 1) {
        const std::optional<bool> all = ChooseSaveAllRows();
        if (!all) return false;
        style.ShownOnly = !*all;
    }
    if (!SaveOutputFile(*WS_, ToPath(path), style)) return false;
    SavedResults_ = ResultsFingerprint(*WS_);
    return true;
}

bool TMainForm::HasUnsavedResults() const {
    const std::optional<std::uint64_t> now = ResultsFingerprint(*WS_);
    return now && now != SavedResults_;
}

bool TMainForm::ConfirmDiscard(const char* question) {
    const std::optional<std::uint64_t> now = ResultsFingerprint(*WS_);
    if (!now || now == SavedResults_ || now == DiscardedResults_) return true;
    QMessageBox box(QMessageBox::Question, "Abisua", question, QMessageBox::NoButton, this);
    QPushButton* save = box.addButton("Gorde", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Ez gorde", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("Utzi", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard) {
        DiscardedResults_ = now;
        return true;
    }
    // Cancelling the save dialog (or a failed save) cancels the close.
    return box.clickedButton() == save && SaveResults();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscard(kUnsavedText)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TMainForm::ReadOutputSelection() {
    // The view has no header row. A selection that the presenter started at row 0 (a press on a
    // field's header) shows from row 1: while the view still shows it, it is kept whole.
    GridView shown(0, GridRect{});
    ReadGridSelection(OutputGrid, shown);
    const GridRect view = shown.Selection;
    if (view.Empty()) return;
    const GridRect kept = Grids_->Output.Selection;
    if (kept.Top == 0 && view.Top == 1 && view.Left == kept.Left && view.Right == kept.Right &&
        view.Bottom == kept.Bottom)
        return;
    ReadGridSelection(OutputGrid, Grids_->Output);
}

void TMainForm::Copy2Click() {
    ReadOutputSelection();
    SetClipboardLatin1(SelectionCopyText(*WS_, Grids_->Output.Selection));
}

void TMainForm::Copy1Click() {
    if (!qobject_cast<QTableView*>(PopupComponent_.data())) {
        Feedback_->Beep();
        return;
    }
    ReadOutputSelection();
    SetClipboardLatin1(SelectionCopyText(*WS_, Grids_->Output.Selection));
}

void TMainForm::Copyall1Click() {
    if (!qobject_cast<QTableView*>(PopupComponent_.data())) {
        Feedback_->Beep();
        return;
    }
    SetClipboardLatin1(CopyAllText(*WS_));
}

void TMainForm::Exit1Click() {
    if (!close()) return;
    QApplication::quit();
}

void TMainForm::Paste1Click() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    std::string text;
    const QString clip = QGuiApplication::clipboard()->text().left(100000);
    // Characters outside Latin-1 are no letters of an item: the paste drops them like digits.
    QString latin;
    latin.reserve(clip.size());
    for (QChar ch : clip) latin.append(ch.unicode() > 0xFF ? QChar(' ') : ch);
    ToLatin1(latin, text);
    WS_->PasteItems(text);
}

void TMainForm::NeighbourStats1Click() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    WS_->AnalyseAll();
    EditLine->setFocus();
}

void TMainForm::SelectedItems1Click() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    ReadGridSelection(StimulusGrid, Grids_->Stimulus);
    std::string edit;
    if (!EditLineLatin1(edit)) return;
    const bool hadText = !edit.empty();
    Grids_->AnalyseSelected(edit);
    if (hadText && edit.empty()) EditLine->clear();
}

void TMainForm::OutputColumnResized(int col, int newSize) {
    // Only the user's resizing: the refreshes apply the presenter's widths.
    if (Syncing_) return;
    Grids_->ColumnResized(col, newSize);
}

void TMainForm::RunOptionsDialog() {
    if (!AnalysisOptionForm) return;
    AnalysisOptionForm->Refresh();
    if (AnalysisOptionForm->exec() == QDialog::Accepted) {
        const QtFeedback::AnalysisScope analysis(*Feedback_);
        const Workspace::Operation op(*WS_);
        WS_->AssignColumns();
        WS_->AnalyseAll();
    }
}

void TMainForm::Options1Click() {
    RunOptionsDialog();
}

void TMainForm::Selector1Click() {
    if (Selector_ == nullptr)
        Selector_ = new TSelectorWindow(
            WS_->Setup.AppDir,
            [this](const std::vector<std::string>& items,
                   const std::vector<std::vector<std::string>>& own) { AppendItems(items, own); },
            Feedback_, this);
    BringBack(Selector_);
}

void TMainForm::Histogram1Click() {
    ReadOutputSelection();
    const GridRect sel = Grids_->Output.Selection;
    const int col = sel.Empty() ? Grids_->Output.Col : sel.Left;
    if (!HistogramWindow) HistogramWindow = new THistogramWindow(*WS_, this);
    if (!HistogramWindow->ShowColumn(col)) {
        Feedback_->ShowMessage("Abisua",
                               "Aukeratu zenbakiak dituen emaitza-zutabe bat histogramarako",
                               MessageButtons::Ok);
        return;
    }
    BringBack(HistogramWindow);
}

void TMainForm::AppendItems(const std::vector<std::string>& items,
                            const std::vector<std::vector<std::string>>& own) {
    const Workspace::Operation op(*WS_);
    constexpr const char* kOwnNames[] = {"cell", "row"};
    int ownCol[2] = {0, 0};
    if (!own.empty()) {
        std::vector<std::string> names = WS_->ItemColumnNames;
        for (int i = 0; i < 2; ++i) {
            auto at = std::find(names.begin(), names.end(), kOwnNames[i]);
            if (at == names.end()) at = names.insert(names.end(), kOwnNames[i]);
            ownCol[i] = 2 + static_cast<int>(at - names.begin());
        }
        if (names.size() != WS_->ItemColumnNames.size()) WS_->SetItemColumns(std::move(names));
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        bool present = false;
        for (int r = 1; r < WS_->OutputGrid.RowCount() && !present; ++r)
            present = CollateCompare(WS_->Item(r), items[i]) == 0;
        if (present || Grids_->EnterTypedItem(items[i]) != Workspace::EntryResult::Entered)
            continue;
        if (i < own.size())
            for (int c = 0; c < 2 && c < static_cast<int>(own[i].size()); ++c)
                WS_->OutputGrid.SetCell(ownCol[c], WS_->NextRow - 1, own[i][c]);
    }
    RefreshGrids();
}

void TMainForm::Button1Click() {
    const std::string& name = WS_->Setup.UserFields[0].Name;
    WS_->Setup.Options.SetUserBoxCaption(1, "1.eremua: " + name);
    if (name == "Undefined") WS_->Setup.Options.SetUserBoxEnabled(1, false);
    RunOptionsDialog();
    EditLine->setFocus();
}

void TMainForm::Wholeword1Click() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    WS_->UseWholeWordLexicon();
    Wholeword1->setChecked(true);
    Lemmas1->setChecked(false);
}

void TMainForm::Lemmas1Click() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    WS_->UseLemmaLexicon();
    Lemmas1->setChecked(true);
    Wholeword1->setChecked(false);
}

void TMainForm::Neighbourlist1Click() {
    if (!NeighWindow) return;
    BringBack(NeighWindow);
}

void TMainForm::Phonneighlist1Click() {
    if (!PhonNeighWindow) return;
    BringBack(PhonNeighWindow);
}

void TMainForm::Pseudowords1Click() {
    if (!PseudowordForm_) PseudowordForm_ = new TPseudowordForm(*this, this);
    PseudowordForm_->TakeTemplates();
    BringBack(PseudowordForm_);
}

void TMainForm::SingleItemBtn1Click() {
    SelectedItems1Click();
    EditLine->setFocus();
}

void TMainForm::AnalyseAllBtnClick() {
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    WS_->AnalyseAll();
    EditLine->setFocus();
}

void TMainForm::OnEditLineKeyDown() {
    std::string text;
    if (!EditLineLatin1(text)) return;
    Grids_->EnterTypedItem(text);
    EditLine->clear();
}

void TMainForm::StimulusGridKeyDown(int row) {
    if (Syncing_) return;
    Grids_->CommitStimulusCell(row);
}

void TMainForm::StimulusGridMouseDown() {
    if (Syncing_) return;
    ReadGridSelection(StimulusGrid, Grids_->Stimulus);
    const GridRect sel = Grids_->Stimulus.Selection;
    Grids_->StimulusRowsChosen(sel.Top, sel.Bottom);
}

void TMainForm::OutputGridMouseDown(const QModelIndex& index) {
    if (Syncing_ || !index.isValid()) return;
    ReadGridSelection(OutputGrid, Grids_->Output);
    // Only a press in the first 90 pixels of the grid moves the item selection.
    if (OutputPressX_ >= kDefaultColWidth) return;
    const GridRect sel = Grids_->Output.Selection;
    Grids_->OutputRowsChosen(sel.Top, sel.Bottom);
}

void TMainForm::OutputGridHeaderClick(int col) {
    if (Syncing_) return;
    Grids_->SelectField(col);
}

void TMainForm::OutputGridHeaderSort(int col) {
    if (Syncing_ || col < 1 || col >= WS_->NextCol) return;
    SortDescending_ = col == SortCol_ && !SortDescending_;
    SortCol_ = col;
    const Workspace::Operation op(*WS_);
    Grids_->SortRows(col, SortDescending_);
    // The press on the header selected the field; it stays selected, now in the new order.
    if (col > 1) Grids_->SelectField(col);
}

void TMainForm::OutputGridSelectCell() {
    if (Syncing_) return;
    const QModelIndex current = OutputGrid->selectionModel()->currentIndex();
    if (!current.isValid()) return;
    // The keys move the selection with the current cell: keep it, or the refresh below would
    // put the old one back.
    ReadGridSelection(OutputGrid, Grids_->Output);
    Grids_->SyncNeighbourLists(GridRow(current.row()));
}

} // namespace zirtel
