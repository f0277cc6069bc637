#include "gui/help_windows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <optional>

#include "gui/rtf_view.h"

namespace zirtel {

namespace {

// The keys of a help window, whichever of its controls has the focus: PageUp, PageDown,
// Ctrl+Home and Ctrl+End scroll the text; Escape closes the window.
class HelpKeys : public QObject {
  public:
    HelpKeys(QWidget* window, QTextEdit* view) : QObject(window), Window_(window), View_(view) {
        window->installEventFilter(this);
        for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        QScrollBar* bar = View_->verticalScrollBar();
        std::optional<QAbstractSlider::SliderAction> action;
        if (key->key() == Qt::Key_PageUp && mods == Qt::NoModifier)
            action = QAbstractSlider::SliderPageStepSub;
        else if (key->key() == Qt::Key_PageDown && mods == Qt::NoModifier)
            action = QAbstractSlider::SliderPageStepAdd;
        else if (key->key() == Qt::Key_Home && mods == Qt::ControlModifier)
            action = QAbstractSlider::SliderToMinimum;
        else if (key->key() == Qt::Key_End && mods == Qt::ControlModifier)
            action = QAbstractSlider::SliderToMaximum;
        const bool escape = key->key() == Qt::Key_Escape && mods == Qt::NoModifier;
        if (!action && !escape) return false;
        // The key is taken before any shortcut or control sees it.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (action)
            bar->triggerAction(*action);
        else
            Window_->close();
        return true;
    }

  private:
    QWidget* Window_;
    QTextEdit* View_;
};

QTextEdit* HelpView(QWidget* parent) {
    auto* view = new QTextEdit(parent);
    view->setObjectName("RichEdit1");
    view->setReadOnly(true);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    view->setPalette(pal);
    return view;
}

} // namespace

TInstructionsForm::TInstructionsForm(const std::filesystem::path& appDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("InstructionsForm");
    setWindowTitle("Jarraibideak");
    setModal(true);
    RichEdit1 = HelpView(this);
    FocusButton = new QPushButton(this);
    FocusButton->setFixedSize(1, 1);
    FocusButton->setFlat(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(RichEdit1);
    layout->addWidget(FocusButton);
    resize(900, 700);
    setWindowState(Qt::WindowMaximized);
    LoadFile(appDir / kInstructionsFile);
    FocusButton->setFocus();
    new HelpKeys(this, RichEdit1);
}

bool TInstructionsForm::LoadFile(const std::filesystem::path& path) {
    return LoadRtfInto(*RichEdit1, path);
}

TOutputDescriptionForm::TOutputDescriptionForm(const std::filesystem::path& appDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("OutputDescriptionForm");
    setWindowTitle("Irteerako eremuen");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    setPalette(pal);
    RichEdit1 = HelpView(this);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OutputDescriptionGrid = new QTableWidget(1, 2, this);
    OutputDescriptionGrid->setObjectName("OutputDescriptionGrid");
    // The grid holds nothing: it keeps its sizes but takes no room from the text.
    OutputDescriptionGrid->setFixedSize(1, 1);
    OutputDescriptionGrid->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    const QWidget* main = parent ? parent->window() : nullptr;
    if (main && main->width() > 40 && main->height() > 60)
        resize(main->width() - 20, main->height() - 38);
    else
        resize(900, 700);
    LoadFile(appDir / kFieldDescriptionsFile);
    new HelpKeys(this, RichEdit1);
}

bool TOutputDescriptionForm::LoadFile(const std::filesystem::path& path) {
    if (!LoadRtfInto(*RichEdit1, path)) return false;
    HasText_ = true;
    return true;
}

void TOutputDescriptionForm::FitTo(int mainWidth) {
    resize(std::max(mainWidth - 20, 200), height());
    const int gridWidth = std::max(mainWidth - 18, 1);
    OutputDescriptionGrid->setFixedWidth(gridWidth);
    OutputDescriptionGrid->setColumnWidth(0, 80);
    OutputDescriptionGrid->setColumnWidth(1, std::max(gridWidth - 80 - 25, 0));
}

AboutDialog::AboutDialog(const QString& caption, const QString& version, const QString& okText,
                         const QString& credits, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);
    Title = new QLabel("Zirtelak (Zirtel)", this);
    Title->setObjectName("Title");
    QFont f = Title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 6);
    Title->setFont(f);
    Version = new QLabel(version, this);
    Version->setObjectName("Version");
    Credits = new QLabel(credits, this);
    Credits->setObjectName("Credits");
    Credits->setWordWrap(true);
    Credits->setTextFormat(Qt::PlainText);
    Credits->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OKButton = new QPushButton(okText, this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Title);
    layout->addWidget(Version);
    layout->addSpacing(8);
    layout->addWidget(Credits);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

QString EnglishCredits() {
    return QString::fromUtf8(
        "Word and nonword statistics for choosing Basque stimuli: frequencies, letter and "
        "sound structure, bigram, biphone and syllable frequencies, orthographic and "
        "phonological neighbourhoods.\n\n"
        "Program: the Zirtel developers.\n\n"
        "Data sources of the shipped lexicon:\n"
        "\u2022 Word-form frequencies: Basque subtitles of the OpenSubtitles 2018 corpus, "
        "through the FrequencyWords project; licence CC BY-SA 4.0.\n"
        "\u2022 Spelling filter: the Hunspell Basque dictionary; licence LGPL.\n"
        "\u2022 Lemmas: the Basque morphological analyser of apertium-eu-es; licence GPL.\n\n"
        "Licence: the program is free software under the GNU General Public License, "
        "version 3 or later (GPL-3.0-or-later; the LICENSE file); the shipped data keep "
        "their own licences (data/NOTICE).\n\n"
        "Comments and error reports: through the project's repository.");
}

QString BasqueCredits() {
    return QString::fromUtf8(
        "Euskarazko estimuluak aukeratzeko hitz eta sasihitzen estatistikak: maiztasunak, "
        "egitura ortografikoa eta fonologikoa, bigrama, bifono eta silaben maiztasunak, "
        "auzokide ortografikoak eta fonologikoak.\n\n"
        "Programa: Zirtel-en garatzaileak.\n\n"
        "Hitzegiaren datu-iturriak:\n"
        "\u2022 Hitz-formen maiztasunak: OpenSubtitles 2018 corpuseko euskarazko azpitituluak, "
        "FrequencyWords proiektuaren bidez; CC BY-SA 4.0 lizentzia.\n"
        "\u2022 Ortografia-iragazkia: Hunspell-en euskarazko hiztegia; LGPL lizentzia.\n"
        "\u2022 Lemak: apertium-eu-es-en euskarazko analizatzaile morfologikoa; GPL lizentzia.\n\n"
        "Lizentzia: programa software librea da, GNU General Public License lizentziaren 3. "
        "bertsioaren edo ondorengoen arabera (GPL-3.0-or-later; LICENSE fitxategia); "
        "datuek beren lizentziak dituzte (data/NOTICE).\n\n"
        "Oharrak eta akatsen berri: proiektuaren biltegiaren bidez.");
}

TAboutBox::TAboutBox(QWidget* parent)
    : AboutDialog("About this program", "Version " ZIRTEL_VERSION, "OK", EnglishCredits(), parent) {
    setObjectName("AboutBox");
}

TBasqueAboutForm::TBasqueAboutForm(QWidget* parent)
    : AboutDialog("Honi buruz", "Version " ZIRTEL_VERSION, "Ados", BasqueCredits(), parent) {
    setObjectName("BasqueAboutForm");
}

} // namespace zirtel
