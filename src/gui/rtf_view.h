// Shows rich text read by the engine's RTF reader in Qt: fills a QTextDocument with the
// paragraphs and runs, and loads a help file into a read-only text view.
#pragma once

#include <filesystem>

#include "core/text/rtf_reader.h"

class QTextDocument;
class QTextEdit;

namespace zirtel {

// Replaces the document's content with the paragraphs, runs and formats of `rtf`.
void FillTextDocument(QTextDocument& document, const RtfDocument& rtf);

// Loads the rich-text file into the view (replacing its text). False when the file cannot be
// read; the view then keeps its text.
bool LoadRtfInto(QTextEdit& view, const std::filesystem::path& path);

} // namespace zirtel
