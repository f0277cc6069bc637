// TProgressForm: the progress window of a long operation (caption "Progresioa"): a label, a file
// label and a bar, and for an operation that can be stopped a button "Utzi". Created for each
// operation and destroyed at its end; repainted explicitly, since the operation runs in the
// window's thread.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zirtel {

class TProgressForm : public QDialog {
    Q_OBJECT
  public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QLabel* ProgressLabel;
    QLabel* FileLabel;
    QProgressBar* ProgressBar1;
    QPushButton* CancelBtn; // hidden until ShowCancel

    // Shows "Utzi"; a click on it sets CancelRequested.
    void ShowCancel();
    bool CancelRequested = false;

    void SetPosition(int position);
    void Step();
    // Paints the window now (throttled unless `force`).
    void Repaint(bool force = false);

  private:
    QElapsedTimer LastPaint_;
};

} // namespace zirtel
