// TProgressForm: the progress window of a long operation (caption "Progresioa"): a label, a file
// label and a bar. Created for each operation and destroyed at its end; repainted explicitly,
// since no events are processed while the operation runs.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace zirtel {

class TProgressForm : public QDialog {
    Q_OBJECT
  public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QLabel* ProgressLabel;
    QLabel* FileLabel;
    QProgressBar* ProgressBar1;

    void SetPosition(int position);
    void Step();
    // Paints the window now (throttled unless `force`).
    void Repaint(bool force = false);

  private:
    QElapsedTimer LastPaint_;
};

} // namespace zirtel
