#include "core/analysis/field_catalogue.h"

#include "core/text/latin1.h"

namespace zirtel {

using FC = FieldColumns;
using W = WidthRule;

const std::array<FieldInfo, kFieldCount>& FieldCatalogue() {
    static const std::array<FieldInfo, kFieldCount> catalogue = {{
        {"USER1", "UserField1_Box", "", W::Default, 0, &FC::Col_USER1, 1},
        {"USER2", "UserField2_Box", "", W::Default, 0, &FC::Col_USER2, 2},
        {"USER3", "UserField3_Box", "", W::Default, 0, &FC::Col_USER3, 3},
        {"H_MAIZT", "W_FREQ_Box", "  H_MAIZT ", W::Frequency, 0, &FC::Col_H_MAIZT, 0},
        {"LOG10_MAIZT", "Log_FreqBox", " LOG10_MAIZT ", W::Frequency, 0, &FC::Col_LOG10_MAIZT, 0},
        {"AHOSKERA", "DISCBox", "AHOSKERA", W::Fixed, 150, &FC::Col_AHOSKERA, 0},
        {"ORT_SILAB", "OrthSyllBox", "ORT_SILAB", W::Default, 0, &FC::Col_ORT_SILAB, 0},
        {"HOM", "HomophonyBox", " HOM  ", W::Default, 0, &FC::Col_HOM, 0},
        {"1F", "P1Box", "1F", W::Fixed, 30, &FC::Col_1F, 0},
        {"KB_F", "CV_PBox", " KB_F ", W::Default, 0, &FC::Col_KB_F, 0},
        {"ERREP", "RepBox", "  ERREP ", W::Default, 0, &FC::Col_ERREP, 0},
        {"LUZ_S", "LenSBox", " LUZ_S ", W::Minus5, 0, &FC::Col_LUZ_S, 0},
        {"LUZ_F", "LenPBox", " LUZ_F ", W::Minus5, 0, &FC::Col_LUZ_F, 0},
        {"1_BM", "BF1_Box", " 1_BM ", W::Default, 0, &FC::Col_1_BM, 0},
        {"2_BM", "BF2_Box", " 2_BM ", W::Default, 0, &FC::Col_2_BM, 0},
        {"3_BM", "BF3_Box", " 3_BM ", W::Default, 0, &FC::Col_3_BM, 0},
        {"4_BM", "BF4_Box", " 4_BM ", W::Default, 0, &FC::Col_4_BM, 0},
        {"5_BM", "BF5_Box", " 5_BM ", W::Default, 0, &FC::Col_5_BM, 0},
        {"BM_TK", "TokenBFBox", " BM_TK ", W::Default, 0, &FC::Col_BM_TK, 0},
        {"BM_TP", "TypeBFBox", " BM_TP ", W::Default, 0, &FC::Col_BM_TP, 0},
        {"BMLB", "SLBFBox", " BMLB   ", W::Default, 0, &FC::Col_BMLB, 0},
        {"BMLBB", "MLBFBox", " BMLBB  ", W::Default, 0, &FC::Col_BMLBB, 0},
        {"TK_BB", "TokenBPFBox", " TK_BB ", W::Default, 0, &FC::Col_TK_BB, 0},
        {"TP_BB", "TypeBPFBox", " TP_BB ", W::Default, 0, &FC::Col_TP_BB, 0},
        {"BPMLB", "SLBPFBox", " BPMLB  ", W::Default, 0, &FC::Col_BPMLB, 0},
        {"BPMLBB", "MLBPFBox", " BPMLBB  ", W::Default, 0, &FC::Col_BPMLBB, 0},
        {"LUZ_L", "LenLBox", " LUZ_L ", W::Minus5, 0, &FC::Col_LUZ_L, 0},
        {"KB_O", "CV_OBox", " KB_O ", W::Default, 0, &FC::Col_KB_O, 0},
        {"N", "NBox", "   N   ", W::Minus15, 0, &FC::Col_N, 0},
        {"N*", "N_StarBox", "   N*  ", W::Minus15, 0, &FC::Col_N_STAR, 0},
        {"N1", "N1Box", "   N1   ", W::Minus15, 0, &FC::Col_N1, 0},
        {"N2", "N2Box", "   N2   ", W::Minus15, 0, &FC::Col_N2, 0},
        {"N3", "N3Box", "   N3   ", W::Minus15, 0, &FC::Col_N3, 0},
        {"N4", "N4Box", "   N4   ", W::Minus15, 0, &FC::Col_N4, 0},
        {"N5", "N5Box", "   N5   ", W::Minus15, 0, &FC::Col_N5, 0},
        {"P", "PBox", "   P   ", W::Minus15, 0, &FC::Col_P, 0},
        {"HFN", "HFNBox", "  HFN  ", W::Minus15, 0, &FC::Col_HFN, 0},
        {"HFP", "HFPBox", "  HFP  ", W::Minus15, 0, &FC::Col_HFP, 0},
        {"LFN", "LFNBox", "  LFN  ", W::Minus15, 0, &FC::Col_LFN, 0},
        {"NF_MAX", "NFmaxBox", " NF_MAX", W::Default, 0, &FC::Col_NF_MAX, 0},
        {"NF_MIN", "NFminBox", " NF_MIN", W::Default, 0, &FC::Col_NF_MIN, 0},
        {"NF_MU", "NFmuBox", " NF_MU ", W::Default, 0, &FC::Col_NF_MU, 0},
        {"NF_SIG", "NFsigmaBox", " NF_SIG", W::Default, 0, &FC::Col_NF_SIG, 0},
        {"PN", "PNBox", "   PN   ", W::Minus15, 0, &FC::Col_PN, 0},
        {"PN1", "PN1Box", "   PN1   ", W::Minus15, 0, &FC::Col_PN1, 0},
        {"PN2", "PN2Box", "   PN2   ", W::Minus15, 0, &FC::Col_PN2, 0},
        {"PN3", "PN3Box", "   PN3   ", W::Minus15, 0, &FC::Col_PN3, 0},
        {"PN4", "PN4Box", "   PN4   ", W::Minus15, 0, &FC::Col_PN4, 0},
        {"PP", "PPBox", "   PP   ", W::Default, 0, &FC::Col_PP, 0},
        {"HFPN", "HFPNBox", "  HFPN  ", W::Default, 0, &FC::Col_HFPN, 0},
        {"LFPN", "LFPNBox", "  LFPN  ", W::Default, 0, &FC::Col_LFPN, 0},
        {"PNF_MAX", "PNFmaxBox", " PNF_MAX", W::Default, 0, &FC::Col_PNF_MAX, 0},
        {"PNF_MIN", "PNFminBox", " PNF_MIN", W::Default, 0, &FC::Col_PNF_MIN, 0},
        {"PNF_MU", "PNFmuBox", " PNF_MU ", W::Default, 0, &FC::Col_PNF_MU, 0},
        {"PNF_SIG", "PNFsigmaBox", " PNF_SIG", W::Default, 0, &FC::Col_PNF_SIG, 0},
        {"TL", "TLBox", "  TL   ", W::Default, 0, &FC::Col_TL, 0},
        {"TL_MAIZT", "TLFreqBox", " TL_MAIZT", W::Default, 0, &FC::Col_TL_MAIZT, 0},
        {"TL_KOK", "TLPosBox", " TL_KOK", W::Default, 0, &FC::Col_TL_KOK, 0},
        {"NATL", "NATL_Box", " NATL ", W::Default, 0, &FC::Col_NATL, 0},
        {"AZPIM", "SubsetBox", "  AZPIM  ", W::Default, 0, &FC::Col_AZPIM, 0},
        {"AZPIM_MAIZT", "SubFreqBox", "AZPIM_MAIZT", W::Default, 0, &FC::Col_AZPIM_MAIZT, 0},
        {"NAZPIM", "NSubBox", "  NAZPIM  ", W::Default, 0, &FC::Col_NAZPIM, 0},
        {"GAIN", "SupersetBox", "  GAIN  ", W::Default, 0, &FC::Col_GAIN, 0},
        {"GAIN_MAIZT", "SupFreqBox", "GAIN_MAIZT", W::Default, 0, &FC::Col_GAIN_MAIZT, 0},
        {"NGAIN", "NSupBox", "  NGAIN  ", W::Default, 0, &FC::Col_NGAIN, 0},
        {"FSM1_TP", "PSF1_TP_Box", "  FSM1_TP  ", W::Default, 0, &FC::Col_FSM1_TP, 0},
        {"FSM1_TK", "PSF1_TK_Box", "  FSM1_TK  ", W::Default, 0, &FC::Col_FSM1_TK, 0},
        {"FSM1_MAX", "PSF1_Max_Box", "  FSM1_MAX  ", W::Default, 0, &FC::Col_FSM1_MAX, 0},
        {"FSM2_TP", "PSF2_TP_Box", "  FSM2_TP  ", W::Default, 0, &FC::Col_FSM2_TP, 0},
        {"FSM2_TK", "PSF2_TK_Box", "  FSM2_TK  ", W::Default, 0, &FC::Col_FSM2_TK, 0},
        {"FSM2_MAX", "PSF2_Max_Box", "  FSM2_MAX  ", W::Default, 0, &FC::Col_FSM2_MAX, 0},
        {"FSM3_TP", "PSF3_TP_Box", "  FSM3_TP  ", W::Default, 0, &FC::Col_FSM3_TP, 0},
        {"FSM3_TK", "PSF3_TK_Box", "  FSM3_TK  ", W::Default, 0, &FC::Col_FSM3_TK, 0},
        {"FSM3_MAX", "PSF3_Max_Box", "  FSM3_MAX  ", W::Default, 0, &FC::Col_FSM3_MAX, 0},
        {"OSM1_TP", "OSF1_TP_Box", "  OSM1_TP  ", W::Default, 0, &FC::Col_OSM1_TP, 0},
        {"OSM1_TK", "OSF1_TK_Box", "  OSM1_TK  ", W::Default, 0, &FC::Col_OSM1_TK, 0},
        {"OSM1_MAX", "OSF1_Max_Box", "  OSM1_MAX  ", W::Default, 0, &FC::Col_OSM1_MAX, 0},
        {"OSM2_TP", "OSF2_TP_Box", "  OSM2_TP  ", W::Default, 0, &FC::Col_OSM2_TP, 0},
        {"OSM2_TK", "OSF2_TK_Box", "  OSM2_TK  ", W::Default, 0, &FC::Col_OSM2_TK, 0},
        {"OSM2_MAX", "OSF2_Max_Box", "  OSM2_MAX  ", W::Default, 0, &FC::Col_OSM2_MAX, 0},
        {"OSM3_TP", "OSF3_TP_Box", "  OSM3_TP  ", W::Default, 0, &FC::Col_OSM3_TP, 0},
        {"OSM3_TK", "OSF3_TK_Box", "  OSM3_TK  ", W::Default, 0, &FC::Col_OSM3_TK, 0},
        {"OSM3_MAX", "OSF3_Max_Box", "  OSM3_MAX  ", W::Default, 0, &FC::Col_OSM3_MAX, 0},
    }};
    return catalogue;
}

int FieldWidth(const FieldInfo& field, int decimals) {
    switch (field.Width) {
    case WidthRule::Frequency:
        return kDefaultColWidth + 10 * decimals - 7;
    case WidthRule::Minus5:
        return kDefaultColWidth - 5;
    case WidthRule::Minus15:
        return kDefaultColWidth - 15;
    case WidthRule::Fixed:
        return field.FixedWidth;
    case WidthRule::Default:
        break;
    }
    return kDefaultColWidth;
}

int FindField(std::string_view mnemonic) {
    std::string wanted = UpperAscii(mnemonic);
    if (wanted == "N_STAR") wanted = "N*";
    const auto& cat = FieldCatalogue();
    for (int i = 0; i < kFieldCount; ++i)
        if (cat[static_cast<std::size_t>(i)].Mnemonic == wanted) return i;
    return -1;
}

} // namespace zirtel
