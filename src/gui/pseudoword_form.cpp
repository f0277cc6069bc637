#include "gui/pseudoword_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>
#include <charconv>

#include "core/generator/old20_function.h"
#include "core/generator/pseudoword_table.h"
#include "core/generator/word_likeness.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "gui/file_paths.h"
#include "gui/grid_model.h"
#include "gui/main_form.h"

namespace zirtel {

namespace {

constexpr const char* kWarning = "Abisua";

QString FromLatin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

template <typename T> std::optional<T> ParseWhole(const std::string& text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

// ---- The results model -------------------------------------------------------------------------

void PseudowordModel::SetRows(std::vector<GeneratedPseudoword> rows) {
    beginResetModel();
    Rows_ = std::move(rows);
    Cells_.clear();
    for (const GeneratedPseudoword& w : Rows_) Cells_.push_back(PseudowordCells(w));
    Ticks_.assign(Rows_.size(), false);
    endResetModel();
}

void PseudowordModel::TickAll() {
    if (Rows_.empty()) return;
    Ticks_.assign(Rows_.size(), true);
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

int PseudowordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows_.size());
}

int PseudowordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(PseudowordColumns().size()) + 1;
}

QVariant PseudowordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == 0) {
        if (role == Qt::CheckStateRole) return Ticks_[row] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    return FromLatin1(Cells_[row][static_cast<std::size_t>(index.column() - 1)]);
}

bool PseudowordModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) return false;
    Ticks_[static_cast<std::size_t>(index.row())] =
        value.value<Qt::CheckState>() == Qt::Checked || value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant PseudowordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    // The window's headers are Basque; the saved table keeps the file's (PseudowordColumns).
    static const char* const kHeaders[] = {"Txantiloia",  "Sasihitza",   "Silabak",
                                           "Gainjartzea", "Desb. max.",  "Desb. batura",
                                           "OLD20",       "OLD20 aldea", "Ahoskera"};
    static_assert(std::size(kHeaders) == 9);
    if (section <= 0 || section > static_cast<int>(PseudowordColumns().size())) return QString();
    return QString::fromUtf8(kHeaders[section - 1]);
}

Qt::ItemFlags PseudowordModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

// ---- The window --------------------------------------------------------------------------------

TPseudowordForm::TPseudowordForm(TMainForm& main, QWidget* parent)
    : QMainWindow(parent), Main_(main) {
    setObjectName("PseudowordForm");
    setWindowTitle("Sasihitz-sortzailea");
    resize(900, 600);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Txantiloiak (bat lerro bakoitzeko):", central));
    TemplatesEdit = new QPlainTextEdit(central);
    TemplatesEdit->setObjectName("TemplatesEdit");
    left->addWidget(TemplatesEdit);
    top->addLayout(left, 1);

    auto* form = new QFormLayout;
    NBox = new QSpinBox(central);
    NBox->setObjectName("NBox");
    NBox->setRange(1, 10000);
    NBox->setValue(10);
    form->addRow("Sasihitzak txantiloiko:", NBox);
    OverlapEdit = new QLineEdit("2/3", central);
    OverlapEdit->setObjectName("OverlapEdit");
    form->addRow("Gainjartzea:", OverlapEdit);
    SeedEdit = new QLineEdit(central);
    SeedEdit->setObjectName("SeedEdit");
    SeedEdit->setPlaceholderText("ausaz");
    form->addRow("Hazia:", SeedEdit);
    LengthBox = new QCheckBox("Segmentuen luzera txantiloiarena", central);
    LengthBox->setObjectName("LengthBox");
    LengthBox->setChecked(true);
    form->addRow(LengthBox);
    ForeignWordsBox = new QCheckBox("Atzerriko hitzak eta izenak ere", central);
    ForeignWordsBox->setObjectName("ForeignWordsBox");
    ForeignWordsBox->setToolTip("Jatorri \"atzerrikoa\" edo \"izena\" duten hitzek ere "
                                "trantsizioak elikatzen dituzte eta txantiloi izan daitezke");
    form->addRow(ForeignWordsBox);
    NotSpanishBox = new QCheckBox("Gaztelaniazko hitzik ez", central);
    NotSpanishBox->setObjectName("NotSpanishBox");
    NotSpanishBox->setToolTip("Ez da gaztelaniazko hitza den sasihitzik sortzen (es_EUS.txt; "
                              "maiuskulak eta azentuak kontuan hartu gabe)");
    form->addRow(NotSpanishBox);
    MaxSpanishNBox = new QSpinBox(central);
    MaxSpanishNBox->setObjectName("MaxSpanishNBox");
    MaxSpanishNBox->setRange(-1, 1000);
    MaxSpanishNBox->setValue(-1);
    MaxSpanishNBox->setSpecialValueText("mugarik ez");
    MaxSpanishNBox->setToolTip("Gaztelaniazko hitzik ez: letra batera dituen gaztelaniazko "
                               "hitzen gehienezko kopurua");
    MaxSpanishNBox->setEnabled(false);
    connect(NotSpanishBox, &QCheckBox::toggled, MaxSpanishNBox, &QWidget::setEnabled);
    form->addRow("Gehienezko ES_N:", MaxSpanishNBox);
    DictionaryWordsBox = new QCheckBox("Hiztegiko hitzak ere", central);
    DictionaryWordsBox->setObjectName("DictionaryWordsBox");
    DictionaryWordsBox->setToolTip("Euskarazko Hunspell hiztegiak (hunspell-eu) onartzen dituen "
                                   "hitzak ere sasihitz izan daitezke");
    form->addRow(DictionaryWordsBox);
    auto* exclude = new QHBoxLayout;
    ExcludeEdit = new QLineEdit(central);
    ExcludeEdit->setObjectName("ExcludeEdit");
    ExcludeBtn = new QPushButton("Aukeratu...", central);
    exclude->addWidget(ExcludeEdit);
    exclude->addWidget(ExcludeBtn);
    form->addRow("Baztertutako hitzak:", exclude);
    GenerateBtn = new QPushButton("&Sortu", central);
    GenerateBtn->setObjectName("GenerateBtn");
    form->addRow(GenerateBtn);
    top->addLayout(form, 1);
    layout->addLayout(top);

    Model = new PseudowordModel(this);
    ResultsView = new QTableView(central);
    ResultsView->setObjectName("ResultsView");
    ResultsView->setModel(Model);
    ResultsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ResultsView->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(ResultsView, 1);

    StatusLabel = new QLabel(central);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setWordWrap(true);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(StatusLabel);

    auto* bottom = new QHBoxLayout;
    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setVisible(false);
    CancelBtn = new QPushButton("Utzi", central);
    CancelBtn->setVisible(false);
    AddBtn = new QPushButton("Gehitu zerrendara", central);
    AddBtn->setObjectName("AddBtn");
    SaveBtn = new QPushButton("&Gorde taula", central);
    SaveBtn->setObjectName("SaveBtn");
    bottom->addWidget(ProgressBar1, 1);
    bottom->addWidget(CancelBtn);
    bottom->addStretch();
    AllBtn = new QPushButton("Guztiak", central);
    AllBtn->setObjectName("AllBtn");
    AllBtn->setToolTip("Errenkada guztiak markatu");
    LikenessBtn = new QPushButton("&Hitz-itxura", central);
    LikenessBtn->setObjectName("LikenessBtn");
    LikenessBtn->setToolTip("Sasihitzak beste hainbeste luzera bereko hitzekin nahasi eta kate "
                            "bakoitza hurbilenaren arabera sailkatu: %50 inguruan, letrengatik "
                            "ezin dira hitzetatik bereizi");
    bottom->addWidget(LikenessBtn);
    bottom->addWidget(AllBtn);
    bottom->addWidget(AddBtn);
    bottom->addWidget(SaveBtn);
    layout->addLayout(bottom);
    setCentralWidget(central);

    ChooseSaveFile = [this]() {
        return QFileDialog::getSaveFileName(this, "Save File", Main_.DialogDir,
                                            "Text file (*.txt *.tsv)");
    };
    ChooseExcludeFile = [this]() {
        return QFileDialog::getOpenFileName(this, "Open File", Main_.DialogDir,
                                            "Text Files (*.txt)");
    };
    connect(GenerateBtn, &QPushButton::clicked, this, &TPseudowordForm::GenerateBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TPseudowordForm::AddBtnClick);
    connect(AllBtn, &QPushButton::clicked, this, &TPseudowordForm::AllBtnClick);
    connect(LikenessBtn, &QPushButton::clicked, this, &TPseudowordForm::LikenessBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TPseudowordForm::SaveBtnClick);
    connect(ExcludeBtn, &QPushButton::clicked, this, &TPseudowordForm::ExcludeBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPseudowordForm::CancelBtnClick);
}

void TPseudowordForm::TakeTemplates() {
    // Templates the user typed or edited here stay until the user changes them.
    if (TemplatesEdit->document()->isModified() &&
        !TemplatesEdit->toPlainText().trimmed().isEmpty())
        return;
    const QString typed = Main_.EditLine->text().trimmed();
    if (!typed.isEmpty()) {
        TemplatesEdit->setPlainText(typed);
        TemplatesEdit->document()->setModified(false);
        return;
    }
    Workspace& ws = Main_.WS();
    const GridRect sel = Main_.Grids().Stimulus.Selection;
    QStringList items;
    for (int r = std::max(1, sel.Top); r <= sel.Bottom && r < ws.OutputGrid.RowCount(); ++r)
        if (!ws.Item(r).empty()) items << FromLatin1(ws.Item(r));
    if (items.isEmpty()) return;
    TemplatesEdit->setPlainText(items.join('\n'));
    TemplatesEdit->document()->setModified(false);
}

void TPseudowordForm::SetRunning(bool running) {
    Running_ = running;
    for (QWidget* w : std::initializer_list<QWidget*>{GenerateBtn, AddBtn, SaveBtn, ExcludeBtn})
        w->setEnabled(!running);
    ProgressBar1->setVisible(running);
    CancelBtn->setVisible(running);
}

void TPseudowordForm::GenerateBtnClick() {
    if (Running_) return;
    Feedback& ui = Main_.UI();
    std::vector<std::string> templates;
    for (const QString& line : TemplatesEdit->toPlainText().split('\n')) {
        std::string t;
        if (!ToLatin1(line.trimmed(), t)) {
            ui.ShowMessage(kWarning, "Txantiloi batek Latin-1 ez den karaktere bat du.",
                           MessageButtons::Ok);
            return;
        }
        if (!t.empty()) templates.push_back(LowerLatin1(t));
    }
    if (templates.empty()) {
        ui.ShowMessage(kWarning, "Ez dago txantiloirik: idatzi bat lerro bakoitzeko.",
                       MessageButtons::Ok);
        return;
    }
    GeneratorSettings settings;
    settings.Count = NBox->value();
    const std::string overlap = OverlapEdit->text().trimmed().toStdString();
    const auto slash = overlap.find('/');
    const auto p =
        slash == std::string::npos ? std::nullopt : ParseWhole<int>(overlap.substr(0, slash));
    const auto q =
        slash == std::string::npos ? std::nullopt : ParseWhole<int>(overlap.substr(slash + 1));
    if (!p || !q || *q < 1 || *p < 0 || *p > *q) {
        ui.ShowMessage(kWarning, "Gainjartzea P/Q zatiki bat da, 0/1etik 1/1era (adibidez 2/3).",
                       MessageButtons::Ok);
        return;
    }
    settings.OverlapNumerator = *p;
    settings.OverlapDenominator = *q;
    const std::string seedText = SeedEdit->text().trimmed().toStdString();
    if (seedText.empty()) {
        settings.Seed = DrawSeed();
    } else if (const auto seed = ParseWhole<std::uint64_t>(seedText)) {
        settings.Seed = *seed;
    } else {
        ui.ShowMessage(kWarning, "Hazia 0tik 18446744073709551615era bitarteko zenbaki osoa da.",
                       MessageButtons::Ok);
        return;
    }
    settings.MatchLengths = LengthBox->isChecked();

    settings.ForeignWords = ForeignWordsBox->isChecked();
    settings.NotSpanish = NotSpanishBox->isChecked();
    settings.MaxSpanishNeighbours = settings.NotSpanish ? MaxSpanishNBox->value() : -1;

    // Foreign words and names are left out unless the box says otherwise: the origin file must
    // be read then (its loader tells why it cannot be).
    WordOrigins origins;
    if (!settings.ForeignWords &&
        !LoadWordOrigins(Main_.WS().Setup.AppDir / kOriginFile, origins, ui)) {
        ui.ShowMessage(kWarning,
                       "Atzerriko hitzak eta izenak baztertzeko hitzen jatorriaren fitxategia "
                       "behar da; markatu \"Atzerriko hitzak eta izenak ere\" hitz guztiekin "
                       "sortzeko.",
                       MessageButtons::Ok);
        return;
    }
    // Real words the lexicon lacks are left out unless the box says otherwise: the dictionary is
    // read once, on the first run that needs it.
    const bool dictionary = !DictionaryWordsBox->isChecked();
    if (dictionary && !Dictionary_) {
        const BusyCursor busy(ui);
        Dictionary_ = OpenBasqueDictionary(Main_.WS().Setup.AppDir);
    }
    if (dictionary && !Dictionary_) {
        ui.ShowMessage(kWarning,
                       "Euskarazko Hunspell hiztegia (eu.aff eta eu.dic) ez da aurkitu: instalatu "
                       "(sudo apt-get install hunspell-eu) edo markatu \"Hiztegiko hitzak ere\".",
                       MessageButtons::Ok);
        return;
    }
    const Lexicon& lexicon = Main_.WS().Setup.WholeWords;
    PseudowordGenerator generator(lexicon, MakeOld20Function(lexicon),
                                  settings.ForeignWords ? nullptr : &origins);
    const QString excludePath = ExcludeEdit->text().trimmed();
    if (!excludePath.isEmpty()) {
        const std::optional<std::vector<std::string>> words = ReadWordList(ToPath(excludePath));
        if (!words) {
            ui.ShowMessage("Fitxategi-errorea", "Ezin da ireki baztertutako hitzen fitxategia",
                           MessageButtons::OkCancel);
            return;
        }
        generator.SetExcludedWords(*words);
    }
    SpanishWords spanish;
    if (settings.NotSpanish) {
        if (!LoadSpanishWords(Main_.WS().Setup.AppDir / kSpanishFormFile, spanish, ui)) return;
        generator.SetSpanishWords(&spanish, settings.MaxSpanishNeighbours);
    }
    if (dictionary)
        generator.SetDictionary(
            [this](std::string_view word) { return Dictionary_->Accepts(word); });

    CancelPressed_ = false;
    SetRunning(true);
    ProgressBar1->setRange(0, static_cast<int>(templates.size()));
    ProgressBar1->setValue(0);
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const GeneratorRun run = generator.Generate(templates, settings, [&](int templateNumber) {
        if (templateNumber >= 0) ProgressBar1->setValue(templateNumber);
        if (DuringRun) DuringRun();
        if (templateNumber >= 0 || sinceEvents.elapsed() >= 50) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
        return CancelPressed_;
    });
    SetRunning(false);

    Model->SetRows(run.Pseudowords);
    ResultsView->resizeColumnsToContents();
    SeedEdit->setText(QString::number(run.Seed));
    QStringList status;
    for (const TemplateOutcome& o : run.Outcomes)
        if (o.Found < settings.Count) status << FromLatin1(OutcomeText(o, settings));
    if (run.DictionaryWords > 0)
        status << QString("%1 hautagai baztertu dira hiztegiko hitzak direlako")
                      .arg(run.DictionaryWords);
    status << QString("%1 sasihitz, %2 txantiloi; hazia %3")
                  .arg(run.Pseudowords.size())
                  .arg(templates.size())
                  .arg(run.Seed);
    StatusLabel->setText(status.join('\n'));
}

void TPseudowordForm::CancelBtnClick() {
    CancelPressed_ = true;
}

void TPseudowordForm::AddBtnClick() {
    GridPresenter& grids = Main_.Grids();
    for (int r = 0; r < Model->rowCount(); ++r)
        if (Model->Ticked(r))
            grids.EnterTypedItem(Model->Rows()[static_cast<std::size_t>(r)].Pseudoword);
    Main_.RefreshGrids();
}

void TPseudowordForm::AllBtnClick() {
    Model->TickAll();
}

void TPseudowordForm::LikenessBtnClick() {
    if (Model->Rows().empty()) return;
    std::vector<std::string> made;
    for (const GeneratedPseudoword& w : Model->Rows()) made.push_back(w.Pseudoword);
    const auto seed = ParseWhole<std::uint64_t>(SeedEdit->text().trimmed().toStdString());
    const WordLikeness w = ClassifyByNearest(
        made, LengthMatchedWords(Main_.WS().Setup.WholeWords.LexWords, made, seed.value_or(0)));
    QString text = "Hitz-itxura: " + QString::number(w.Pseudowords + w.Words) + " katetatik " +
                   QString::number(w.Correct) + " ondo sailkatu dira hurbilenaren arabera (%" +
                   FromLatin1(Trim(FormatReal(w.Accuracy(), 0, 1))) + "; %50 zoria da)";
    QStringList telling;
    for (const std::string& t : w.Telling) telling << FromLatin1(t);
    if (!telling.isEmpty()) text += "; salatzaileenak: " + telling.join(", ");
    QString status = StatusLabel->text();
    if (const qsizetype at = status.indexOf("\nHitz-itxura: "); at >= 0) status.truncate(at);
    StatusLabel->setText(status.isEmpty() ? text : status + '\n' + text);
}

void TPseudowordForm::SaveBtnClick() {
    const QString path = ChooseSaveFile();
    if (path.isEmpty()) return;
    SavePseudowordTable(ToPath(path), Model->Rows(), Main_.UI());
}

void TPseudowordForm::ExcludeBtnClick() {
    const QString path = ChooseExcludeFile();
    if (!path.isEmpty()) ExcludeEdit->setText(path);
}

} // namespace zirtel
