// The analysis driver: walks the item rows and calls every shown measure in its fixed order.
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/measures/bigram_measures.h"
#include "core/measures/lexical_measures.h"
#include "core/measures/pronunciation_measures.h"
#include "core/measures/syllable_measures.h"
#include "core/measures/transposed_letters.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/biphone_measures.h"
#include "core/phonology/biphone_tables.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {
// The message of an item shorter than the shortest length analysed.
std::string ShortItemText() {
    return "Itemak gutxienez " + std::to_string(kMinItemLength) + " letra izan behar ditu";
}
} // namespace

void Workspace::AnalyseAll() {
    OrthoNeighbours.Clear();
    PhonNeighbours.Clear();
    const int rows = OutputGrid.RowCount();
    auto progress = UI.OpenProgress("Analysing all items ...", "", rows);
    BusyCursor busy(UI);
    for (int r = 1; r < rows; ++r) {
        if (Item(r).size() > 1) AnalyseItem(r);
        progress->Step();
    }
    progress->SetPosition(rows);
}

void Workspace::AnalyseSelected(std::string& editLine) {
    const int outputTop = OutputGrid.TopRow();
    const int stimulusTop = StimulusGrid.TopRow();
    const GridRect sel = StimulusGrid.Selection();
    // Quick entry: before any item exists (the placeholder "1" is still there), the text of the
    // entry line becomes the first item.
    if (StimulusGrid.Cell(0, 1) == "1" && !editLine.empty()) {
        const std::string item = LowerLatin1(Trim(editLine));
        EnterAtNextRow(item);
        editLine.clear();
        Stimuli.Items.push_back(item);
    }
    for (int r = sel.Top; r <= sel.Bottom; ++r)
        if (!StimulusGrid.Cell(0, r).empty()) AnalyseItem(r);
    SyncNeighbourList(sel.Top);
    OutputGrid.SetTopRow(outputTop);
    StimulusGrid.SetTopRow(stimulusTop);
}

void Workspace::AnalyseItem(int row) {
    // A row shows the latest analysis only: its field cells are emptied first.
    for (int c = 2; c < NextCol; ++c) OutputGrid.SetCell(c, row, std::string());

    const std::string item = LowerAscii(Item(row));
    const int length = static_cast<int>(item.size());
    if (length < kMinItemLength || length > kMaxItemLength) {
        UI.ShowMessage("Errorea",
                       length < kMinItemLength ? ShortItemText()
                                               : "Item length must not exceed " +
                                                     std::to_string(kMaxItemLength) + " letters",
                       MessageButtons::Ok);
        return;
    }
    // Orthographic neighbour search and its measures.
    if (OrthoNeighbourSearchWanted(*this)) FindOrthoNeighbours(*this, row);

    // Phonological neighbour search and its measures.
    if (PhonNeighbourFieldsShown(*this)) AnalysePhonNeighbours(*this, row);

    // User-defined fields 1, 2, 3.
    for (int field = 1; field <= 3; ++field) UserFieldValue(*this, row, field);

    // Lexical and letter measures.
    WriteWordFrequency(*this, row);
    WriteLogFrequency(*this, row);
    WriteLetterLength(*this, row);
    WriteOrthCVPattern(*this, row);
    // Phonological consonant/vowel pattern (KB_F).
    WritePhonCVPattern(*this, row);

    WriteLetterRepetition(*this, row);
    // Transposed-letter words (TL, TL_MAIZT, TL_KOK, then NATL); pronunciation and first phoneme.
    WriteTransposedLetters(*this, row);
    WriteNonAdjacentTransposition(*this, row);
    WritePronunciation(*this, row);

    WriteOrthSyllabification(*this, row);
    // Homophone, syllable and phoneme counts (HOM, LUZ_S, LUZ_F).
    WriteHomophone(*this, row);
    WriteSyllableLength(*this, row);
    WritePhonemeLength(*this, row);

    // Syllable frequencies: phonological syllables 1-3, then orthographic syllables 1-3.
    for (int position = 1; position <= 3; ++position)
        WritePhonSyllableFrequency(*this, row, position);
    for (int position = 1; position <= 3; ++position)
        WriteOrthSyllableFrequency(*this, row, position);

    // Bigram tables (read once) and bigram measures.
    EnsureBigramTables(*this);
    WriteBigramMeasures(*this, row);

    // Biphone tables (read once) and biphone measures.
    if (BiphoneFieldsShown(*this)) {
        if (!BiphoneFilesRead) LoadBiphoneTables(*this);
        WriteBiphoneTokenMean(*this, row);
        WriteBiphoneTypeMean(*this, row);
        WriteBiphoneLogSum(*this, row);
        WriteBiphoneMeanLog(*this, row);
    }
}

} // namespace zirtel
