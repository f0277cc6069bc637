#include "gui/histogram_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"
#include "gui/basque_dialogs.h"
#include "gui/colours.h"

namespace zirtel {

namespace {
constexpr int kBins = 10;

QString Number(double x) {
    return QString::number(x, 'f', 2);
}
} // namespace

THistogramWindow::THistogramWindow(Workspace& ws, QWidget* parent)
    : QWidget(parent, Qt::Window), WS_(ws) {
    setObjectName("HistogramWindow");
    setWindowTitle("Histograma");
    Chart_ = new QChart;
    Chart_->legend()->setAlignment(Qt::AlignBottom);
    ChartView = new QChartView(Chart_, this);
    ChartView->setRenderHint(QPainter::Antialiasing);
    SameLengthBox = new QCheckBox("Luzera bereko hitzak bakarrik", this);
    SameLengthBox->setObjectName("SameLengthBox");
    SavePngBtn = new QPushButton("Gorde PNG", this);
    SaveSvgBtn = new QPushButton("Gorde SVG", this);
    ChooseFile = [this](const QString& suffix) {
        return ChooseFileToSave(this, "Gorde irudia", QString(),
                                suffix.toUpper() + " (*." + suffix + ")", suffix);
    };
    connect(SameLengthBox, &QCheckBox::toggled, this, [this] { ShowColumn(Col_); });
    connect(SavePngBtn, &QPushButton::clicked, this, [this] {
        const QString path = ChooseFile("png");
        if (!path.isEmpty()) SavePng(path);
    });
    connect(SaveSvgBtn, &QPushButton::clicked, this, [this] {
        const QString path = ChooseFile("svg");
        if (!path.isEmpty()) SaveSvg(path);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SameLengthBox);
    buttons->addStretch(1);
    buttons->addWidget(SavePngBtn);
    buttons->addWidget(SaveSvgBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChartView, 1);
    layout->addLayout(buttons);
    ItemsSet = LexiconSet = nullptr;
    resize(900, 560);
}

bool THistogramWindow::ShowColumn(int col) {
    const FieldId* f = WS_.Results.FieldOfColumn(col);
    if (!f) return false;
    std::vector<std::string> items;
    std::vector<double> values;
    int length = 0;
    for (int r = 1; r < WS_.NextRow; ++r) {
        if (!WS_.RowShown(r) || !WS_.Results.HasRow(r)) continue;
        const Value v = WS_.Results.At(r, col);
        if (!v.IsNumber()) continue;
        items.emplace_back(WS_.Item(r));
        values.push_back(v.Number());
        length = static_cast<int>(items.back().size());
    }
    if (values.empty()) return false;
    Col_ = col;
    Field_ = *f;
    Items_ = std::move(items);
    ItemValues_ = std::move(values);
    // Words of the same length: those of the length of the items when they all share one.
    bool oneLength = true;
    for (const std::string& item : Items_) oneLength &= static_cast<int>(item.size()) == length;
    Lexicon_ =
        LexiconDistribution(WS_, Field_, SameLengthBox->isChecked() && oneLength ? length : 0);
    Bins_ = MakeHistogram(ItemValues_, Lexicon_.Values, kBins, true);
    Redraw();
    return true;
}

QString THistogramWindow::Title() const {
    double sum = 0;
    for (double x : ItemValues_) sum += x;
    const double mean = ItemValues_.empty() ? 0 : sum / static_cast<double>(ItemValues_.size());
    const std::string name(FieldCatalogue()[static_cast<std::size_t>(FieldIndex(Field_))].Mnemonic);
    return QString("%1: itemen batezbestekoa %2 (%3 item; hitzegiko %4 hitz)")
        .arg(QString::fromStdString(name), Number(mean))
        .arg(ItemValues_.size())
        .arg(Lexicon_.Values.size());
}

QString THistogramWindow::BinTip(int bin) const {
    QStringList lines;
    for (std::size_t i = 0; i < ItemValues_.size(); ++i)
        if (Bins_.BinOf(ItemValues_[i]) == bin)
            lines << QString("%1: %2 (hitzegiko %3. pertzentila)")
                         .arg(QString::fromLatin1(Items_[i].data(),
                                                  static_cast<qsizetype>(Items_[i].size())),
                              Number(ItemValues_[i]))
                         .arg(std::lround(Lexicon_.PercentileOf(ItemValues_[i])));
    return lines.join('\n');
}

void THistogramWindow::Redraw() {
    Chart_->removeAllSeries();
    for (QAbstractAxis* axis : Chart_->axes()) Chart_->removeAxis(axis);
    auto* series = new QBarSeries;
    ItemsSet = new QBarSet("Itemak (%)");
    LexiconSet = new QBarSet("Hitzegia (%)");
    ItemsSet->setColor(kFormColor);
    LexiconSet->setColor(kHeaderColor);
    QStringList categories;
    const double width = (Bins_.High - Bins_.Low) / kBins;
    const auto percent = [](int n, std::size_t total) {
        return total == 0 ? 0.0 : 100.0 * n / static_cast<double>(total);
    };
    double top = 0;
    for (int b = 0; b < kBins; ++b) {
        const double items = percent(Bins_.Items[static_cast<std::size_t>(b)], ItemValues_.size());
        const double lexicon =
            percent(Bins_.Lexicon[static_cast<std::size_t>(b)], Lexicon_.Values.size());
        *ItemsSet << items;
        *LexiconSet << lexicon;
        top = std::max({top, items, lexicon});
        categories << QString::number(Bins_.Low + width * b, 'g', 4) + "-" +
                          QString::number(Bins_.Low + width * (b + 1), 'g', 4);
    }
    series->append(ItemsSet);
    series->append(LexiconSet);
    Chart_->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    x->setLabelsAngle(-45);
    Chart_->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, std::max(top, 1.0));
    y->setLabelFormat("%.0f");
    Chart_->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    Chart_->setTitle(Title());
    connect(ItemsSet, &QBarSet::hovered, this, [this](bool on, int bin) {
        if (on)
            QToolTip::showText(QCursor::pos(), BinTip(bin), ChartView);
        else
            QToolTip::hideText();
    });
}

bool THistogramWindow::SavePng(const QString& path) {
    return ChartView->grab().save(path, "PNG");
}

bool THistogramWindow::SaveSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(ChartView->size());
    svg.setViewBox(ChartView->rect());
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    ChartView->render(&painter);
    return painter.end();
}

} // namespace zirtel
