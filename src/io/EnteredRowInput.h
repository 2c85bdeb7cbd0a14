// The values of an entered row from the texts it was typed with, converted as the
// table input converts them: the entry tables and the stored plan's copy of them
// both come to entered rows this way.
#pragma once

#include "job/EnteredRows.h"
#include "text/LengthText.h"

namespace tarvex {

// Sizes in the unit of `lengths`.
EnteredPart EnteredPartOf(PartTexts texts, const LengthFormat& lengths);
EnteredSheet EnteredSheetOf(SheetTexts texts, const LengthFormat& lengths);

}  // namespace tarvex
