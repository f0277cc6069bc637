#include "gui/selector_window.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "cli/plot_png.h"
#include "core/analysis/streamed_analysis.h"
#include "core/analysis/workspace.h"
#include "core/random/random_draw.h"
#include "core/selection/engine_statistics.h"
#include "core/selection/selection_plot.h"
#include "core/selection/selection_report.h"
#include "core/text/latin1.h"
#include "core/text/sha256.h"
#include "core/text/text_file.h"
#include "gui/file_paths.h"
#include "gui/qt_feedback.h"

namespace zirtel {

namespace {

constexpr const char* kTemplate = "pool lexicon\n"
                                  "filter LUZ_L 4 9\n"
                                  "split H_MAIZT 0-5 20-100000\n"
                                  "control LUZ_L\n"
                                  "control N -1 1\n"
                                  "generate 20 match balanced\n";

QString FromLatin1(const std::string& s) {
    return QString::fromUtf8(Latin1ToUtf8(s));
}

std::string ToLatin1(const QString& s) {
    return Utf8ToLatin1(s.toStdString()).Text;
}

// A cell of the values view: sorted by its number (the unrounded value) where it has one, the
// cells without one after those with one, by their text.
class ValueCell : public QTableWidgetItem {
  public:
    ValueCell(const QString& text, double number) : QTableWidgetItem(text), Number_(number) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* cell = dynamic_cast<const ValueCell*>(&other);
        const double theirs = cell ? cell->Number_ : NAN;
        if (std::isnan(Number_) || std::isnan(theirs)) {
            if (std::isnan(Number_) != std::isnan(theirs)) return std::isnan(theirs);
            return text() < other.text();
        }
        return Number_ < theirs;
    }

  private:
    double Number_;
};

} // namespace

TSelectorWindow::TSelectorWindow(std::filesystem::path appDir, AppendItems append,
                                 Feedback* feedback, QWidget* parent)
    : QWidget(parent), AppDir_(std::move(appDir)), DesignFolder_(std::filesystem::current_path()),
      Append_(std::move(append)) {
    setWindowTitle("Estimuluen hautatzailea");
    setWindowFlag(Qt::Window, true);
    resize(760, 560);
    if (feedback == nullptr) OwnFeedback_ = std::make_unique<QtFeedback>(this);
    Feedback_ = feedback != nullptr ? feedback : OwnFeedback_.get();

    LoadButton = new QPushButton("Kargatu diseinua", this);
    SaveButton = new QPushButton("Gorde diseinua", this);
    RunButton = new QPushButton("Hautatu", this);
    AddButton = new QPushButton("Gehitu zerrendara", this);
    AddButton->setEnabled(false);
    PoolCombo = new QComboBox(this);
    PoolCombo->addItems({"hitzegia", "item-fitxategia"});
    PoolFileEdit = new QLineEdit(this);
    LemmasBox = new QCheckBox("Lemak", this);
    RulePronBox = new QCheckBox("Sasihitzak arauz ahoskatu", this);
    LinesTable = new QTableWidget(0, 3, this);
    LinesTable->setHorizontalHeaderLabels({"Mota", "Eremua", "Balioak"});
    LinesTable->horizontalHeader()->setStretchLastSection(true);
    AddLineButton = new QPushButton("Gehitu lerroa", this);
    RemoveLineButton = new QPushButton("Kendu lerroa", this);
    RowsSpin = new QSpinBox(this);
    RowsSpin->setRange(1, 100000);
    MatchCombo = new QComboBox(this);
    MatchCombo->addItems({"balanced", "first", "random"});
    SeedEdit = new QLineEdit(this);
    DesignEdit = new QPlainTextEdit(this);
    DesignEdit->setFont(QFont("Monospace"));
    StatusLabel = new QLabel(this);
    StatusLabel->setWordWrap(true);
    ResultsTabs = new QTabWidget(this);
    RowsTable = new QTableWidget(ResultsTabs);
    RowsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RowsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* reportPage = new QWidget(ResultsTabs);
    ReportEdit = new QPlainTextEdit(reportPage);
    ReportEdit->setReadOnly(true);
    ReportEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    ReportEdit->setFont(QFont("Monospace"));
    SaveReportButton = new QPushButton("Gorde txostena", reportPage);
    SaveReportButton->setEnabled(false);
    SavePlotsButton = new QPushButton("Gorde irudiak", reportPage);
    SavePlotsButton->setEnabled(false);
    auto* reportLayout = new QVBoxLayout(reportPage);
    reportLayout->addWidget(ReportEdit, 1);
    auto* reportButtons = new QHBoxLayout;
    reportButtons->addWidget(SaveReportButton);
    reportButtons->addWidget(SavePlotsButton);
    reportButtons->addStretch();
    reportLayout->addLayout(reportButtons);
    auto* plotPage = new QWidget(ResultsTabs);
    PlotFieldCombo = new QComboBox(plotPage);
    PlotView = new QChartView(plotPage);
    PlotView->setRenderHint(QPainter::Antialiasing);
    auto* plotLayout = new QVBoxLayout(plotPage);
    plotLayout->addWidget(PlotFieldCombo);
    plotLayout->addWidget(PlotView, 1);
    auto* valuesPage = new QWidget(ResultsTabs);
    ValuesTable = new QTableWidget(valuesPage);
    ValuesTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValuesTable->setSortingEnabled(true);
    SaveValuesButton = new QPushButton("Gorde balioak", valuesPage);
    SaveValuesButton->setEnabled(false);
    auto* valuesLayout = new QVBoxLayout(valuesPage);
    valuesLayout->addWidget(ValuesTable, 1);
    auto* valuesButtons = new QHBoxLayout;
    valuesButtons->addWidget(SaveValuesButton);
    valuesButtons->addStretch();
    valuesLayout->addLayout(valuesButtons);
    ResultsTabs->addTab(RowsTable, "Errenkadak");
    ResultsTabs->addTab(valuesPage, "Balioak");
    ResultsTabs->addTab(reportPage, "Txostena");
    ResultsTabs->addTab(plotPage, "Irudiak");
    connect(PlotFieldCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowPlot(index); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {LoadButton, SaveButton, RunButton, AddButton}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    auto* pool = new QHBoxLayout;
    pool->addWidget(new QLabel("Multzoa:", this));
    pool->addWidget(PoolCombo);
    pool->addWidget(PoolFileEdit, 1);
    pool->addWidget(LemmasBox);
    pool->addWidget(RulePronBox);
    layout->addLayout(pool);
    auto* lines = new QHBoxLayout;
    lines->addWidget(LinesTable, 1);
    auto* lineButtons = new QVBoxLayout;
    lineButtons->addWidget(AddLineButton);
    lineButtons->addWidget(RemoveLineButton);
    lineButtons->addStretch();
    lines->addLayout(lineButtons);
    layout->addLayout(lines, 2);
    auto* generate = new QHBoxLayout;
    generate->addWidget(new QLabel("Errenkadak:", this));
    generate->addWidget(RowsSpin);
    generate->addWidget(new QLabel("Erreferentzia:", this));
    generate->addWidget(MatchCombo);
    generate->addWidget(new QLabel("Hazia:", this));
    generate->addWidget(SeedEdit);
    generate->addStretch();
    layout->addLayout(generate);
    layout->addWidget(new QLabel("Diseinua:", this));
    layout->addWidget(DesignEdit, 2);
    layout->addWidget(StatusLabel);
    layout->addWidget(ResultsTabs, 3);

    DesignEdit->setPlainText(kTemplate);
    TextToForm();
    connect(DesignEdit, &QPlainTextEdit::textChanged, this, [this] { TextToForm(); });
    connect(PoolCombo, &QComboBox::currentIndexChanged, this, [this] { FormToText(); });
    connect(PoolFileEdit, &QLineEdit::textEdited, this, [this] { FormToText(); });
    connect(LemmasBox, &QCheckBox::toggled, this, [this] { FormToText(); });
    connect(RulePronBox, &QCheckBox::toggled, this, [this] { FormToText(); });
    connect(LinesTable, &QTableWidget::itemChanged, this, [this] { FormToText(); });
    connect(RowsSpin, &QSpinBox::valueChanged, this, [this] { FormToText(); });
    connect(MatchCombo, &QComboBox::currentIndexChanged, this, [this] { FormToText(); });
    connect(SeedEdit, &QLineEdit::textEdited, this, [this] { FormToText(); });
    connect(AddLineButton, &QPushButton::clicked, this, [this] {
        const int row = LinesTable->rowCount();
        Syncing_ = true;
        LinesTable->insertRow(row);
        for (int c = 0; c < 3; ++c)
            LinesTable->setItem(row, c, new QTableWidgetItem(c == 0 ? "control" : ""));
        Syncing_ = false;
        LinesTable->setCurrentCell(row, 1);
    });
    connect(RemoveLineButton, &QPushButton::clicked, this, [this] {
        const int row = LinesTable->currentRow();
        if (row < 0) return;
        LinesTable->removeRow(row);
        FormToText();
    });
    connect(RunButton, &QPushButton::clicked, this, [this] { RunDesign(); });
    connect(AddButton, &QPushButton::clicked, this, [this] { AddToList(); });
    connect(LoadButton, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, "Kargatu diseinua");
        if (!file.isEmpty()) LoadDesign(ToPath(file));
    });
    connect(SavePlotsButton, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, "Gorde irudiak");
        if (!folder.isEmpty()) SavePlots(ToPath(folder));
    });
    connect(SaveValuesButton, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, "Gorde balioak");
        if (!file.isEmpty()) SaveValues(ToPath(file));
    });
    connect(SaveReportButton, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, "Gorde txostena");
        if (!file.isEmpty()) SaveReport(ToPath(file));
    });
    connect(SaveButton, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, "Gorde diseinua");
        if (!file.isEmpty()) SaveDesign(ToPath(file));
    });
}

TSelectorWindow::~TSelectorWindow() = default;

void TSelectorWindow::FormToText() {
    if (Syncing_) return;
    std::string text = PoolCombo->currentIndex() == 0
                           ? "pool lexicon\n"
                           : "pool items " + ToLatin1(PoolFileEdit->text().trimmed()) + "\n";
    if (LemmasBox->isChecked()) text += "lemmas\n";
    if (RulePronBox->isChecked()) text += "rule-pronunciations\n";
    for (int r = 0; r < LinesTable->rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < 3; ++c) {
            const QTableWidgetItem* item = LinesTable->item(r, c);
            const std::string cell = item ? ToLatin1(item->text().trimmed()) : std::string();
            if (!cell.empty()) line += (line.empty() ? "" : " ") + cell;
        }
        if (!line.empty()) text += line + "\n";
    }
    text += "generate " + std::to_string(RowsSpin->value()) + " match " +
            MatchCombo->currentText().toStdString();
    if (!SeedEdit->text().trimmed().isEmpty())
        text += " seed " + SeedEdit->text().trimmed().toStdString();
    text += "\n";
    Syncing_ = true;
    DesignEdit->setPlainText(FromLatin1(text));
    Syncing_ = false;
}

void TSelectorWindow::TextToForm() {
    if (Syncing_) return;
    const DesignParse parsed = ParseDesign(ToLatin1(DesignEdit->toPlainText()), false);
    if (parsed.Error) return; // the form keeps its last valid design
    const Design& d = parsed.Value;
    Syncing_ = true;
    PoolCombo->setCurrentIndex(d.PoolIsLexicon ? 0 : 1);
    PoolFileEdit->setText(FromLatin1(d.PoolFile));
    LemmasBox->setChecked(d.Lemmas);
    RulePronBox->setChecked(d.RulePronunciations);
    LinesTable->setRowCount(0);
    auto addLine = [&](const char* kind, int field, const std::string& values) {
        const int row = LinesTable->rowCount();
        LinesTable->insertRow(row);
        LinesTable->setItem(row, 0, new QTableWidgetItem(kind));
        LinesTable->setItem(row, 1, new QTableWidgetItem(FromLatin1(FieldName(field))));
        LinesTable->setItem(row, 2, new QTableWidgetItem(FromLatin1(values)));
    };
    for (const DesignFilter& f : d.Filters) addLine("filter", f.Field, FilterText(f));
    for (const DesignSplit& s : d.Splits) {
        std::string levels;
        // Appended piece by piece: GCC 12 at -O3 mistakes `"text" + string&&` for an
        // overlapping copy (-Wrestrict).
        for (const ValueRange& l : s.Levels) {
            if (!levels.empty()) levels += ' ';
            levels += DesignNumber(l.Low);
            levels += '-';
            levels += DesignNumber(l.High);
        }
        addLine("split", s.Field, levels);
    }
    for (const DesignControl& c : d.Controls)
        addLine("control", c.Field,
                c.Exact ? "" : DesignNumber(c.Offsets.Low) + " " + DesignNumber(c.Offsets.High));
    if (d.HasGenerate) RowsSpin->setValue(d.Rows);
    MatchCombo->setCurrentIndex(static_cast<int>(d.Match));
    SeedEdit->setText(d.Seed ? QString::number(*d.Seed) : QString());
    Syncing_ = false;
}

bool TSelectorWindow::LoadDesign(const std::filesystem::path& path) {
    const auto file = ReadTextFile(path);
    if (!file) {
        StatusLabel->setText("Ezin da ireki diseinu-fitxategia");
        return false;
    }
    DesignEdit->setPlainText(FromLatin1(file->Text));
    DesignFolder_ = path.parent_path();
    StatusLabel->clear();
    return true;
}

bool TSelectorWindow::SaveDesign(const std::filesystem::path& path) {
    if (!WriteFileAtomically(path, DesignEdit->toPlainText().toStdString())) {
        StatusLabel->setText("Ezin da gorde diseinu-fitxategia");
        return false;
    }
    DesignFolder_ = path.parent_path();
    return true;
}

bool TSelectorWindow::SaveReport(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!WriteFileAtomically(path, name.ends_with(".txt") ? ReportText_ : ReportTsv_)) {
        StatusLabel->setText("Ezin da gorde txostena");
        return false;
    }
    return true;
}

bool TSelectorWindow::SaveValues(const std::filesystem::path& path) {
    if (!WriteFileAtomically(path, ValuesTsv_)) {
        StatusLabel->setText("Ezin dira gorde balioak");
        return false;
    }
    return true;
}

bool TSelectorWindow::SavePlots(const std::filesystem::path& folder) {
    for (const auto& [name, svg] : Plots_) {
        const std::optional<std::string> png = PngFromSvg(svg);
        if (!png || !WriteFileAtomically(folder / name, svg) ||
            !WriteFileAtomically(folder / PngFileName(name), *png)) {
            StatusLabel->setText("Ezin dira gorde irudiak");
            return false;
        }
    }
    return true;
}

void TSelectorWindow::ShowValues(const Selection& selection, const MeasuredItems& pool) {
    const QSignalBlocker quiet(ValuesTable);
    ValuesTable->setSortingEnabled(false);
    ValuesTable->clear();
    QStringList headers{"row", "cell", "item", "is_reference"};
    for (int f : pool.Fields) headers << FromLatin1(FieldName(f));
    ValuesTable->setColumnCount(static_cast<int>(headers.size()));
    ValuesTable->setHorizontalHeaderLabels(headers);
    std::size_t count = 0;
    for (const SelectionRow& row : selection.Rows) count += row.Items.size();
    ValuesTable->setRowCount(static_cast<int>(count));
    int line = 0;
    for (std::size_t r = 0; r < selection.Rows.size(); ++r) {
        const SelectionRow& row = selection.Rows[r];
        for (std::size_t c = 0; c < row.Items.size(); ++c, ++line) {
            const std::size_t i = row.Items[c];
            const auto put = [&](int col, QTableWidgetItem* cell) {
                ValuesTable->setItem(line, col, cell);
            };
            put(0, new ValueCell(QString::number(r + 1), static_cast<double>(r + 1)));
            put(1, new ValueCell(FromLatin1(selection.CellNames[c]), NAN));
            put(2, new ValueCell(FromLatin1(pool.Items[i]), NAN));
            put(3,
                new ValueCell(c == row.ReferenceCell ? "1" : "0", c == row.ReferenceCell ? 1 : 0));
            for (std::size_t f = 0; f < pool.Fields.size(); ++f)
                put(4 + static_cast<int>(f),
                    new ValueCell(FromLatin1(pool.Text(i, f)), pool.Number(i, f)));
        }
    }
    // The rows' order until a header is pressed: no column sorts them when sorting comes back on.
    ValuesTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ValuesTable->setSortingEnabled(true);
    ValuesTsv_ = LongOutput(selection, pool);
    SaveValuesButton->setEnabled(count > 0);
}

void TSelectorWindow::ShowPlot(int index) {
    auto* chart = new QChart;
    chart->legend()->setVisible(false);
    if (index >= 0 && index < static_cast<int>(PlotValues_.size())) {
        chart->setTitle(PlotFieldCombo->itemText(index));
        const auto& cells = PlotValues_[static_cast<std::size_t>(index)];
        auto* x = new QCategoryAxis;
        auto* y = new QValueAxis;
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        double low = 0, high = 0;
        bool first = true;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto* series = new QScatterSeries;
            series->setName(FromLatin1(PlotCells_[c]));
            series->setColor(QColor(PlotColour(c)));
            series->setMarkerSize(8);
            for (std::size_t r = 0; r < cells[c].size(); ++r) {
                const double v = cells[c][r];
                if (std::isnan(v)) continue;
                series->append(static_cast<double>(c) + (static_cast<double>(r % 5) - 2) * 0.06, v);
                low = first ? v : std::min(low, v);
                high = first ? v : std::max(high, v);
                first = false;
            }
            chart->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
            x->append(FromLatin1(PlotCells_[c]), static_cast<double>(c) + 0.5);
        }
        x->setRange(-0.5, static_cast<double>(cells.size()) - 0.5);
        x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
        const double margin = high > low ? (high - low) * 0.05 : 1;
        y->setRange(low - margin, high + margin);
    }
    QChart* old = PlotView->chart();
    PlotView->setChart(chart);
    delete old;
}

bool TSelectorWindow::RunDesign() {
    DesignParse parsed = ParseDesign(ToLatin1(DesignEdit->toPlainText()));
    if (parsed.Error) {
        StatusLabel->setText("Errorea diseinuan: " + FromLatin1(parsed.Error->Text()));
        return false;
    }
    Design& design = parsed.Value;
    const std::vector<int> fields = DesignFields(design);

    QProgressDialog progress("Estatistikoak kalkulatzen ...", "Utzi", 0, 100, this);
    progress.setWindowTitle("Progresioa");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    auto step = [&](std::size_t done, std::size_t total) {
        progress.setMaximum(static_cast<int>(std::max<std::size_t>(total, 1)));
        progress.setValue(static_cast<int>(done));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    if (!Ws_) {
        Ws_ = std::make_unique<Workspace>(*Feedback_, AppDir_);
        Ws_->Startup();
    }
    for (int f : fields) {
        const int user = FieldCatalogue()[static_cast<std::size_t>(f)].UserField;
        if (user > 0 &&
            Ws_->Setup.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField) {
            StatusLabel->setText(
                QString("Errorea diseinuan: USER%1 eremuak ez du fitxategirik").arg(user));
            return false;
        }
    }
    PrepareForDesign(Ws_->Setup, design);
    const auto poolItems = PoolItems(Ws_->Setup, design, DesignFolder_);
    if (!poolItems) return false;
    // One worker per core, as --select has by default: the rows are the same for any number.
    EngineStatistics stats(Ws_->Setup, fields, Ws_->Decimals, DefaultJobs());
    const auto pool = MeasurePool(design, *poolItems, stats, true, step);
    if (!pool) {
        StatusLabel->setText("Utzita");
        return false;
    }
    const bool seedGiven = design.Seed.has_value();
    if (!seedGiven) design.Seed = DrawSeed();
    progress.setLabelText("Errenkadak sortzen ...");
    const auto sel = Generate(design, *pool, *design.Seed, step);
    if (!sel) {
        StatusLabel->setText("Utzita");
        return false;
    }

    Rows_.clear();
    RowsTable->clear();
    RowsTable->setColumnCount(static_cast<int>(sel->CellNames.size()) + 1);
    RowsTable->setRowCount(static_cast<int>(sel->Rows.size()));
    QStringList headers;
    for (const std::string& name : sel->CellNames) headers << FromLatin1(name);
    CellNames_ = sel->CellNames;
    headers << "reference_cell";
    RowsTable->setHorizontalHeaderLabels(headers);
    for (std::size_t r = 0; r < sel->Rows.size(); ++r) {
        const SelectionRow& row = sel->Rows[r];
        std::vector<std::string> items;
        for (std::size_t c = 0; c < row.Items.size(); ++c) {
            items.push_back(pool->Items[row.Items[c]]);
            auto* cell = new QTableWidgetItem(FromLatin1(items.back()));
            // The item's values on hover, as the long table writes them.
            QStringList values;
            for (std::size_t f = 0; f < pool->Fields.size(); ++f)
                values << FromLatin1(FieldName(pool->Fields[f]) + ": " +
                                     pool->Text(row.Items[c], f));
            cell->setToolTip(values.join('\n'));
            if (c == row.ReferenceCell) {
                QFont bold = cell->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            RowsTable->setItem(static_cast<int>(r), static_cast<int>(c), cell);
        }
        RowsTable->setItem(static_cast<int>(r), static_cast<int>(row.Items.size()),
                           new QTableWidgetItem(FromLatin1(sel->CellNames[row.ReferenceCell])));
        Rows_.push_back(std::move(items));
    }
    QString status =
        QString("%1 errenkada; hazia: %2").arg(sel->Rows.size()).arg(QString::number(*design.Seed));
    if (static_cast<int>(sel->Rows.size()) < sel->Asked)
        status = QString("Eskatutako %1 errenkadetatik %2 bakarrik egin dira; hazia: %3")
                     .arg(sel->Asked)
                     .arg(sel->Rows.size())
                     .arg(QString::number(*design.Seed));
    StatusLabel->setText(status);
    AddButton->setEnabled(!Rows_.empty());
    ShowValues(*sel, *pool);

    ReportRun run;
    run.Program = "zirtel";
    run.Version = ZIRTEL_VERSION;
    for (const std::filesystem::path& file : DataFilesRead(Ws_->Setup))
        run.Files.push_back({file.lexically_normal().string(), Sha256FileHex(file)});
    const std::filesystem::path lexicon =
        AppDir_ / (Ws_->Setup.LemmasCurrent ? kLemmaFile : kWholeWordFile);
    run.Lexicon = ReportFile{lexicon.lexically_normal().string(), Sha256FileHex(lexicon)};
    if (const std::optional<TextFile> notice = ReadTextFile(AppDir_ / "NOTICE"))
        run.LexiconSources = LexiconSourcesOf(notice->Text);
    const SelectionReport report = MakeSelectionReport(design, *sel, *pool, run);
    ReportTsv_ = ReportTsv(report);
    ReportText_ = ReportText(report);
    ReportEdit->setPlainText(
        QString::fromUtf8(ReportText_.data(), static_cast<qsizetype>(ReportText_.size())));
    SaveReportButton->setEnabled(true);
    Plots_.clear();
    for (int f : PlotFields(design))
        Plots_.emplace_back(PlotFileName(f), StripPlotSvg(*sel, *pool, f));
    SavePlotsButton->setEnabled(!Plots_.empty());
    PlotValues_.clear();
    PlotCells_ = sel->CellNames;
    const QSignalBlocker quiet(PlotFieldCombo);
    PlotFieldCombo->clear();
    for (int f : PlotFields(design)) {
        const auto slot = static_cast<std::size_t>(pool->Slot(f));
        std::vector<std::vector<double>> cells(sel->CellNames.size());
        for (const SelectionRow& row : sel->Rows)
            for (std::size_t c = 0; c < row.Items.size(); ++c)
                cells[c].push_back(pool->Number(row.Items[c], slot));
        PlotValues_.push_back(std::move(cells));
        PlotFieldCombo->addItem(FromLatin1(FieldName(f)));
    }
    ShowPlot(PlotFieldCombo->currentIndex());
    return true;
}

void TSelectorWindow::AddToList() {
    std::set<int> chosen;
    for (const QModelIndex& index : RowsTable->selectionModel()->selectedRows())
        chosen.insert(index.row());
    std::vector<std::string> items;
    std::vector<std::vector<std::string>> cells; // each item's cell and row
    for (std::size_t r = 0; r < Rows_.size(); ++r)
        if (chosen.empty() || chosen.count(static_cast<int>(r)) != 0)
            for (std::size_t c = 0; c < Rows_[r].size(); ++c) {
                items.push_back(Rows_[r][c]);
                cells.push_back(
                    {c < CellNames_.size() ? CellNames_[c] : std::string(), std::to_string(r + 1)});
            }
    if (Append_ && !items.empty()) Append_(items, cells);
}

} // namespace zirtel
