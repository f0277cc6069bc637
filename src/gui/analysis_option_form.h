// TAnalysisOptionForm: the analysis options dialog ("Analisi-aukerak"). Its check boxes show and
// change the workspace's option state directly; OK and Cancel only close it (the ticks stay as
// the user left them either way).
#pragma once

#include <QDialog>
#include <map>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace zirtel {

class Workspace;

class TAnalysisOptionForm : public QDialog {
    Q_OBJECT
  public:
    TAnalysisOptionForm(Workspace& ws, QWidget* parent = nullptr);

    // Shows the boxes' ticks, captions and enabled states from the workspace.
    void Refresh();
    QCheckBox* Box(const QString& name) const { return Boxes_.at(name); }
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* AllFieldsBtn; // "Guztiak": ticks every field box
    QPushButton* NoFieldsBtn;  // "Bat ere ez": unticks every field box
    QPushButton* User1LoadFile;
    QPushButton* User2LoadFile;
    QPushButton* User3LoadFile;
    // The tooltip of a user-field box while its field is not loaded.
    static constexpr const char* kUndefinedUserFieldTip =
        "Eremu hau erabiltzeko, kargatu bere fitxategia \"Bete\" botoiarekin.";

  public slots:
    void OKBtnClick();
    void CancelBtnClick();
    // "Bete": the main window's open dialog, then the chosen file into user field 1, 2 or 3.
    // The dialog stays open.
    void User1LoadFileClick();
    void User2LoadFileClick();
    void User3LoadFileClick();

  private:
    // Ticks or unticks every field box but the user fields' (the neighbour options stay).
    void TickAllFields(bool ticked);
    void LoadUserFile(int number);
    Workspace& WS_;
    std::map<QString, QCheckBox*> Boxes_;
};

} // namespace zirtel
