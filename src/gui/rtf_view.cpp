#include "gui/rtf_view.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace zirtel {

namespace {

Qt::Alignment ToQt(RtfAlignment a) {
    switch (a) {
    case RtfAlignment::Centre:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justify:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat ToQt(const RtfCharFormat& f) {
    QTextCharFormat format;
    format.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.Italic);
    format.setFontUnderline(f.Underline);
    format.setFontPointSize(f.HalfPoints / 2.0);
    return format;
}

} // namespace

void FillTextDocument(QTextDocument& document, const RtfDocument& rtf) {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const RtfParagraph& p : rtf.Paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(ToQt(p.Alignment));
        block.setBottomMargin(4);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const RtfRun& run : p.Runs)
            cursor.insertText(
                QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size())),
                ToQt(run.Format));
    }
}

bool LoadRtfInto(QTextEdit& view, const std::filesystem::path& path) {
    std::optional<RtfDocument> rtf = ReadRtfFile(path);
    if (!rtf) return false;
    FillTextDocument(*view.document(), *rtf);
    view.moveCursor(QTextCursor::Start);
    return true;
}

} // namespace zirtel
