// The catalogue of output fields: every statistic the results grid can show, in the order in
// which AssignColumns packs them into columns, with the check box that enables it, its header
// text and its width rule. FieldColumns holds the column position of each field (0: not shown).
#pragma once

#include <array>
#include <string_view>

namespace zirtel {

struct FieldColumns {
    int Col_USER1 = 0, Col_USER2 = 0, Col_USER3 = 0;
    int Col_H_MAIZT = 0, Col_LOG10_MAIZT = 0, Col_AHOSKERA = 0, Col_ORT_SILAB = 0, Col_HOM = 0;
    int Col_1F = 0, Col_KB_F = 0, Col_ERREP = 0, Col_LUZ_S = 0, Col_LUZ_F = 0;
    int Col_1_BM = 0, Col_2_BM = 0, Col_3_BM = 0, Col_4_BM = 0, Col_5_BM = 0;
    int Col_BM_TK = 0, Col_BM_TP = 0, Col_BMLB = 0, Col_BMLBB = 0;
    int Col_TK_BB = 0, Col_TP_BB = 0, Col_BPMLB = 0, Col_BPMLBB = 0;
    int Col_LUZ_L = 0, Col_KB_O = 0;
    int Col_N = 0, Col_N_STAR = 0, Col_N1 = 0, Col_N2 = 0, Col_N3 = 0, Col_N4 = 0, Col_N5 = 0;
    int Col_P = 0, Col_HFN = 0, Col_HFP = 0, Col_LFN = 0;
    int Col_NF_MAX = 0, Col_NF_MIN = 0, Col_NF_MU = 0, Col_NF_SIG = 0;
    int Col_PN = 0, Col_PN1 = 0, Col_PN2 = 0, Col_PN3 = 0, Col_PN4 = 0, Col_PP = 0;
    int Col_HFPN = 0, Col_LFPN = 0, Col_PNF_MAX = 0, Col_PNF_MIN = 0, Col_PNF_MU = 0,
        Col_PNF_SIG = 0;
    int Col_TL = 0, Col_TL_MAIZT = 0, Col_TL_KOK = 0, Col_NATL = 0;
    int Col_AZPIM = 0, Col_AZPIM_MAIZT = 0, Col_NAZPIM = 0, Col_GAIN = 0, Col_GAIN_MAIZT = 0,
        Col_NGAIN = 0;
    int Col_FSM1_TP = 0, Col_FSM1_TK = 0, Col_FSM1_MAX = 0;
    int Col_FSM2_TP = 0, Col_FSM2_TK = 0, Col_FSM2_MAX = 0;
    int Col_FSM3_TP = 0, Col_FSM3_TK = 0, Col_FSM3_MAX = 0;
    int Col_OSM1_TP = 0, Col_OSM1_TK = 0, Col_OSM1_MAX = 0;
    int Col_OSM2_TP = 0, Col_OSM2_TK = 0, Col_OSM2_MAX = 0;
    int Col_OSM3_TP = 0, Col_OSM3_TK = 0, Col_OSM3_MAX = 0;
};

enum class WidthRule {
    Default,   // D
    Frequency, // D + 10 * Decimals - 7
    Minus5,    // D - 5
    Minus15,   // D - 15
    Fixed,     // a fixed number of pixels
};

struct FieldInfo {
    std::string_view Mnemonic; // as the batch mode and the help name it ("N*" for Col_N_STAR)
    std::string_view BoxName;  // the check box of the analysis options that enables it
    std::string_view Header;   // the text of row 0
    WidthRule Width;
    int FixedWidth; // for WidthRule::Fixed
    int FieldColumns::*Col;
    int UserField; // 1..3 for the user-defined fields, else 0
};

constexpr int kFieldCount = 83;
constexpr int kDefaultColWidth = 90;

const std::array<FieldInfo, kFieldCount>& FieldCatalogue();

// Width in pixels of a field's column with the given number of decimals.
int FieldWidth(const FieldInfo& field, int decimals);

// Index of the field with this mnemonic (case-insensitive; "N_STAR" names "N*"), or -1.
int FindField(std::string_view mnemonic);

} // namespace zirtel
