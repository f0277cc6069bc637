// The item's morphology, from the form file: its main lemma (LEMA) and that lemma's frequency
// (LEMA_MAIZT, as the lemma file has it), the lemma's morphological family size (FAMILIA: the
// whole-word lexicon's forms that have the lemma), their summed frequency (FAMILIA_MAIZT) and the
// inflectional entropy of their frequencies (ENTROPIA). The item is looked up as a word form in
// lemma mode too; a form the file does not list is missing ("-1" for LEMA, "   -  " otherwise).
#pragma once

#include "core/fields/measure_context.h"

namespace zirtel {

void WriteMorphology(MeasureContext& ctx, RowValues& values);

} // namespace zirtel
