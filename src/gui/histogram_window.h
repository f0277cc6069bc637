// THistogramWindow: "Histograma", a picture of one results column: the items' values as a
// histogram beside the distribution of the whole lexicon for that field (or of the words of the
// same length), both as percentages, the items' mean in the title, each item's percentile in the
// lexicon in the tooltip of its bar; saved as PNG or SVG. Drawn with Qt Charts.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/field_distribution.h"
#include "core/fields/fields.h"

class QCheckBox;
class QLabel;
class QPushButton;

class QChart;
class QChartView;
class QBarSet;

namespace zirtel {

class Workspace;

class THistogramWindow : public QWidget {
    Q_OBJECT
  public:
    THistogramWindow(Workspace& ws, QWidget* parent = nullptr);

    // Shows results column `col` (a field with numbers); false, with nothing changed, when the
    // column holds no field of numbers.
    bool ShowColumn(int col);

    QCheckBox* SameLengthBox; // "Luzera bereko hitzak bakarrik"
    QPushButton* SavePngBtn;  // "Gorde PNG"
    QPushButton* SaveSvgBtn;  // "Gorde SVG"
    QChartView* ChartView;
    QBarSet *ItemsSet, *LexiconSet;
    // The chart's title: the field, the items' mean and how many words the lexicon gave.
    QString Title() const;
    // The tooltip of the items' bar `bin`: each item of the bin with its value and percentile.
    QString BinTip(int bin) const;
    // Writes the picture; false when the file cannot be written.
    bool SavePng(const QString& path);
    bool SaveSvg(const QString& path);
    // Chooses the file to save to (suffix given); tests replace it.
    std::function<QString(const QString& suffix)> ChooseFile;

  private:
    void Redraw();
    Workspace& WS_;
    int Col_ = 0;
    FieldId Field_{};
    std::vector<std::string> Items_; // Latin-1
    std::vector<double> ItemValues_;
    FieldDistribution Lexicon_;
    Histogram Bins_;
    QChart* Chart_ = nullptr;
};

} // namespace zirtel
