#include "core/analysis/analysis_options.h"

#include <stdexcept>

#include "core/analysis/field_catalogue.h"

namespace zirtel {

const std::vector<OptionGroup>& OptionGroups() {
    static const std::vector<OptionGroup> groups = {
        {"WordFrequencyBox", "Hitzaren maiztasuna "},      // 0
        {"WordPhonologyBox", "Hitzaren fonologia"},        // 1
        {"GroupBox1", "Eremuak definitu"},                 // 2
        {"NeighOptionsBox", "Auzokideen aukerak"},         // 3
        {"OrthographyBox", "Bigramen maizt"},              // 4
        {"GroupBox5", "Ortografia-egitura"},               // 5
        {"NeighbourhoodBox", "Auzokide ortografikoak"},    // 6
        {"GroupBox3", "Maiztasun silabiko ortografikoa"},  // 7
        {"GroupBox10", "Bifonoen maizt. "},                // 8
        {"GroupBox9", "Egitura fon."},                     // 9
        {"GroupBox8", "Auzokide fonologikoak"},            // 10
        {"GroupBox2", "Maiztasun silabiko fonologikoa"},   // 11
        {"TLSimBox", "TL antzekotasuna"},                  // 12
        {"SubsetSimBox", "Azpimultzoak/Gaineko multzoa "}, // 13
    };
    return groups;
}

namespace {

struct BoxSpec {
    std::string_view Name, Caption;
    int Group;
    bool Default;
    OptionFlag Flag;
};

std::vector<OptionBox> BuildBoxes() {
    using F = OptionFlag;
    const BoxSpec specs[] = {
        {"W_FREQ_Box", "Hitzaren maiztasuna ", 0, true, F::None},
        {"Log_FreqBox", "Maiztasunaren Log.", 0, false, F::None},
        {"DISCBox", "Ahoskera (DISC)", 1, false, F::None},
        {"P1Box", "Lehenengo fonema", 1, false, F::None},
        {"HomophonyBox", "Homofonia", 1, false, F::None},
        {"UserField1_Box", "1. eremua: definitu gabe", 2, false, F::None},
        {"UserField2_Box", "2. eremua: definitu gabe ", 2, false, F::None},
        {"UserField3_Box", "3. eremua: definitu gabe ", 2, false, F::None},
        {"NListBox", "Erakutsi auzokideen zerrenda", 3, true, F::NList},
        {"IncludeDeletionNsBox", "Gehitu ezabapen-auzokideak", 3, false, F::IncludeDeletions},
        {"IncludeAdditionNsBox", "Gehitu auzokide erantsiak", 3, false, F::IncludeAdditions},
        {"BF1_Box", "1BM", 4, false, F::None},
        {"BF2_Box", "2BM", 4, false, F::None},
        {"BF3_Box", "3BM", 4, false, F::None},
        {"BF4_Box", "4BM", 4, false, F::None},
        {"BF5_Box", "5BM", 4, false, F::None},
        {"TokenBFBox", "Tok. batez bestekoa", 4, false, F::None},
        {"TypeBFBox", "Type. batez bestekoa ", 4, false, F::None},
        {"SLBFBox", "BMLB", 4, false, F::None},
        {"MLBFBox", "BMLBB", 4, false, F::None},
        {"LenLBox", "Luzera", 5, false, F::None},
        {"CV_OBox", "KB_O", 5, false, F::None},
        {"RepBox", "Letra errep?", 5, false, F::None},
        {"OrthSyllBox", "Ort. silabifikazioa", 5, false, F::None},
        {"NBox", "N", 6, false, F::None},
        {"N1Box", "N1", 6, false, F::None},
        {"N2Box", "N2", 6, false, F::None},
        {"N3Box", "N3", 6, false, F::None},
        {"N4Box", "N4", 6, false, F::None},
        {"N5Box", "N5", 6, false, F::None},
        {"N_StarBox", "N*", 6, false, F::None},
        {"PBox", "P", 6, false, F::None},
        {"HFPBox", "HFP", 6, false, F::None},
        {"HFNBox", "HFN", 6, false, F::None},
        {"LFNBox", "LFN", 6, false, F::None},
        {"NFmaxBox", "NF_max", 6, false, F::None},
        {"NFminBox", "NF_min", 6, false, F::None},
        {"NFmuBox", "NF_mu", 6, false, F::None},
        {"NFsigmaBox", "NF_sigma", 6, false, F::None},
        {"OSF1_TP_Box", "1go silaba (Type) ", 7, false, F::None},
        {"OSF1_TK_Box", "1go silaba (Token) ", 7, false, F::None},
        {"OSF1_Max_Box", "1go silaba (Max)", 7, false, F::None},
        {"OSF2_TP_Box", "2. silaba (Type)", 7, false, F::None},
        {"OSF2_TK_Box", "2. silaba (Token) ", 7, false, F::None},
        {"OSF2_Max_Box", "2. silaba (Max)", 7, false, F::None},
        {"OSF3_TP_Box", "3. silaba (Type)", 7, false, F::None},
        {"OSF3_TK_Box", "3. silaba (Token)", 7, false, F::None},
        {"OSF3_Max_Box", "3. silaba (Max)", 7, false, F::None},
        {"TokenBPFBox", "Tok. batez bestekoa ", 8, false, F::None},
        {"TypeBPFBox", "Type. batez bestekoa ", 8, false, F::None},
        {"SLBPFBox", "BPMLB", 8, false, F::None},
        {"MLBPFBox", "BPMLBB", 8, false, F::None},
        {"LenPBox", "Fonema-zenbakia", 9, false, F::None},
        {"LenSBox", "Silaba-zenbakia", 9, false, F::None},
        {"CV_PBox", "KB_F", 9, false, F::None},
        {"PNBox", "PN", 10, false, F::None},
        {"PN1Box", "PN1", 10, false, F::None},
        {"PN2Box", "PN2", 10, false, F::None},
        {"PN3Box", "PN3", 10, false, F::None},
        {"PN4Box", "PN4", 10, false, F::None},
        {"PPBox", "PP", 10, false, F::None},
        {"HFPNBox", "HFPN", 10, false, F::None},
        {"LFPNBox", "LFPN", 10, false, F::None},
        {"PNFmaxBox", "PNF_max", 10, false, F::None},
        {"PNFminBox", "PNF_min", 10, false, F::None},
        {"PNFmuBox", "PNF_mu", 10, false, F::None},
        {"PNFsigmaBox", "PNF_sigma", 10, false, F::None},
        {"PSF1_TP_Box", "1go silaba (Type) ", 11, false, F::None},
        {"PSF1_TK_Box", "1go silaba (Token)", 11, false, F::None},
        {"PSF1_Max_Box", "1go silaba (Max)", 11, false, F::None},
        {"PSF2_TP_Box", "2. silaba (Type)", 11, false, F::None},
        {"PSF2_TK_Box", "2. silaba (Token)", 11, false, F::None},
        {"PSF2_Max_Box", "2. silaba (Max)", 11, false, F::None},
        {"PSF3_TP_Box", "3. silaba (Type)", 11, false, F::None},
        {"PSF3_TK_Box", "3. silaba (Token)", 11, false, F::None},
        {"PSF3_Max_Box", "3. silaba (Max)", 11, false, F::None},
        {"TLBox", "TL hitza ", 12, false, F::None},
        {"TLFreqBox", "TL maiztasuna", 12, false, F::None},
        {"TLPosBox", "TL Kok.", 12, false, F::None},
        {"NATL_Box", "NATL Word", 12, false, F::None},
        {"SubsetBox", "Azpimultzoak", 13, false, F::None},
        {"SubFreqBox", "Azpim. maiztasuna", 13, false, F::None},
        {"NSubBox", "N-azpim.", 13, false, F::None},
        {"SupersetBox", "Gaineko multzoak", 13, false, F::None},
        {"SupFreqBox", "Gainm. maiztasuna", 13, false, F::None},
        {"NSupBox", "N-gainm.", 13, false, F::None},
    };
    std::vector<OptionBox> boxes;
    const auto& cat = FieldCatalogue();
    for (const BoxSpec& s : specs) {
        int field = -1;
        for (int f = 0; f < kFieldCount; ++f)
            if (cat[static_cast<std::size_t>(f)].BoxName == s.Name) field = f;
        if (field < 0 && s.Flag == F::None) throw std::logic_error("option box without a field");
        boxes.push_back(OptionBox{s.Name, s.Caption, s.Group, s.Default, field, s.Flag});
    }
    return boxes;
}

} // namespace

const std::vector<OptionBox>& OptionBoxes() {
    static const std::vector<OptionBox> boxes = BuildBoxes();
    return boxes;
}

int FindOptionBox(std::string_view name) {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Name == name) return static_cast<int>(i);
    return -1;
}

AnalysisOptions::AnalysisOptions() : BoxOfField_(kFieldCount, -1) {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        Ticks_.push_back(boxes[i].Default);
        if (boxes[i].Field >= 0)
            BoxOfField_[static_cast<std::size_t>(boxes[i].Field)] = static_cast<int>(i);
    }
}

bool AnalysisOptions::Ticked(std::string_view boxName) const {
    const int box = FindOptionBox(boxName);
    return box >= 0 && Ticked(box);
}

void AnalysisOptions::SetTicked(std::string_view boxName, bool ticked) {
    const int box = FindOptionBox(boxName);
    if (box < 0) throw std::invalid_argument("no such option box");
    SetTicked(box, ticked);
}

bool AnalysisOptions::FieldTicked(int field) const {
    return Ticked(BoxOfField_.at(static_cast<std::size_t>(field)));
}

void AnalysisOptions::SetFieldTicked(int field, bool ticked) {
    SetTicked(BoxOfField_.at(static_cast<std::size_t>(field)), ticked);
}

bool AnalysisOptions::FlagTicked(OptionFlag flag) const {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Flag == flag) return Ticks_[i];
    return false;
}

void AnalysisOptions::UntickAllFields() {
    for (int f = 0; f < kFieldCount; ++f) SetFieldTicked(f, false);
}

static int UserFieldOfBox(int box) {
    const auto& boxes = OptionBoxes();
    const int field = boxes.at(static_cast<std::size_t>(box)).Field;
    if (field < 0) return 0;
    return FieldCatalogue()[static_cast<std::size_t>(field)].UserField;
}

std::string AnalysisOptions::Caption(int box) const {
    const int user = UserFieldOfBox(box);
    if (user > 0 && !UserCaptions_[static_cast<std::size_t>(user - 1)].empty())
        return UserCaptions_[static_cast<std::size_t>(user - 1)];
    return std::string(OptionBoxes().at(static_cast<std::size_t>(box)).Caption);
}

bool AnalysisOptions::Enabled(int box) const {
    const int user = UserFieldOfBox(box);
    return user == 0 || UserEnabled_[static_cast<std::size_t>(user - 1)];
}

void AnalysisOptions::SetUserBoxCaption(int userField, std::string caption) {
    UserCaptions_.at(static_cast<std::size_t>(userField - 1)) = std::move(caption);
}

void AnalysisOptions::SetUserBoxEnabled(int userField, bool enabled) {
    UserEnabled_.at(static_cast<std::size_t>(userField - 1)) = enabled;
}

} // namespace zirtel
