// What a measure sees of the program: the lexicons (read only), the user-defined fields, the
// tables (loaded on demand through their one owner), the neighbour lists the searches fill,
// and Feedback. The item being measured and the fields requested of it come in a RowValues.
// Measures never see the options, the grids or the workspace.
#pragma once

#include <array>

namespace zirtel {

class Feedback;
class Lexicon;
class MeasureTables;
class NeighbourList;
class RowValues;
struct UserField;

struct MeasureContext {
    // The lexicon of the frequency- and letter-based measures: the lemmas while they are
    // current, else the whole-word lexicon.
    const Lexicon& Current;
    // Always the whole-word lexicon: pronunciations, syllabifications, syllable tables.
    const Lexicon& WholeWords;
    const std::array<UserField, 3>& UserFields;
    MeasureTables& Tables;
    Feedback& UI;

    // The neighbour lists of the neighbour list windows; null when nothing is listed (the
    // grid-free statistics). The orthographic search lists its neighbours while OrthoListShown.
    NeighbourList* OrthoList = nullptr;
    NeighbourList* PhonList = nullptr;
    bool OrthoListShown = false;
    // The deletion and addition neighbours are listed too ("Gehitu ezabapen-auzokideak",
    // "Gehitu auzokide erantsiak").
    bool ListDeletionNs = false;
    bool ListAdditionNs = false;
    // The item's Spanish neighbours are listed too ("Gehitu gaztelaniazko auzokideak").
    bool ListSpanishNs = false;
    // The searches record the neighbours they find in the item's values (RowValues); they
    // always do while they fill a list.
    bool RecordNeighbours = false;
    // Items not in the whole-word lexicon are pronounced and syllabified by the rules
    // ("Sasihitzak arauz ahoskatu"): see PronounceItem.
    bool RulePronunciations = false;

    // The same context with its messages going to `ui` and its neighbours listed in `ortho` and
    // `phon`; every other setting carried over.
    MeasureContext Redirected(Feedback& ui, NeighbourList* ortho, NeighbourList* phon) const {
        return MeasureContext{.Current = Current,
                              .WholeWords = WholeWords,
                              .UserFields = UserFields,
                              .Tables = Tables,
                              .UI = ui,
                              .OrthoList = ortho,
                              .PhonList = phon,
                              .OrthoListShown = OrthoListShown,
                              .ListDeletionNs = ListDeletionNs,
                              .ListAdditionNs = ListAdditionNs,
                              .ListSpanishNs = ListSpanishNs,
                              .RecordNeighbours = RecordNeighbours,
                              .RulePronunciations = RulePronunciations};
    }
};

// A measure: writes the fields of its family that `values` requests.
using FieldWriter = void (*)(MeasureContext& context, RowValues& values);

} // namespace zirtel
