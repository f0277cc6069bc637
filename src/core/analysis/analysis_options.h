// The analysis options: every check box of the analysis options dialog, with its name, caption,
// group and default, and the state the user left them in. The dialog shows this state; the
// results columns are assigned from it. Ticks persist for the run; nothing is stored.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

struct OptionGroup {
    std::string_view Name;    // e.g. "WordFrequencyBox"
    std::string_view Caption; // e.g. "Hitzaren maiztasuna "
    int Column;               // the dialog's column it sits in, from 0
};

enum class OptionFlag {
    None,
    NList,
    IncludeDeletions,
    IncludeAdditions,
    RulePronunciations,
    IncludeSpanish
};

struct OptionBox {
    std::string_view Name;    // e.g. "W_FREQ_Box"
    std::string_view Caption; // e.g. "Hitzaren maiztasuna "
    int Group;                // index into OptionGroups()
    bool Default;             // ticked when the dialog is created
    int Field;                // index into FieldCatalogue(), or -1 for the neighbour flags
    OptionFlag Flag;
};

const std::vector<OptionGroup>& OptionGroups();
const std::vector<OptionBox>& OptionBoxes();
// Index of a box by name, or -1.
int FindOptionBox(std::string_view name);

class AnalysisOptions {
  public:
    AnalysisOptions();

    bool Ticked(int box) const { return Ticks_.at(static_cast<std::size_t>(box)); }
    void SetTicked(int box, bool ticked) { Ticks_.at(static_cast<std::size_t>(box)) = ticked; }
    bool Ticked(std::string_view boxName) const;
    void SetTicked(std::string_view boxName, bool ticked);

    // Whether the box that enables a catalogue field is ticked.
    bool FieldTicked(int field) const;
    void SetFieldTicked(int field, bool ticked);
    bool FlagTicked(OptionFlag flag) const;
    void UntickAllFields();

    // The user-field boxes: their captions change with the loaded field names, and a box is
    // disabled while its field is "Undefined".
    std::string Caption(int box) const;
    bool Enabled(int box) const;
    void SetUserBoxCaption(int userField, std::string caption); // userField 1..3
    void SetUserBoxEnabled(int userField, bool enabled);

  private:
    std::vector<bool> Ticks_;
    std::array<std::string, 3> UserCaptions_;
    std::array<bool, 3> UserEnabled_{true, true, true};
    std::vector<int> BoxOfField_;
};

} // namespace zirtel
