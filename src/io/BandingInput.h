// The banding table of the settings as the job's bandings: every row converted,
// or the fault naming the row and column of the first that does not convert.
#pragma once

#include <optional>
#include <vector>

#include "io/SettingsForm.h"
#include "job/EdgeBanding.h"
#include "job/InputFault.h"
#include "text/LengthText.h"

namespace tarvex {

// A row of nothing but blanks, which the table keeps and the job leaves out.
bool IsBlankBanding(const BandingTexts& texts);

// Something to keep: a row that is not blank, or the check box on.
bool HoldsBanding(const BandingForm& form);

// The banding of one non-blank row (`row` counting from 1), its thickness and
// allowance lengths in `lengths`, not below 0; its name, trimmed, must differ
// (letter case ignored) from those of `earlier`.
std::optional<InputFault> ReadBanding(const BandingTexts& texts, int row,
                                      const LengthFormat& lengths,
                                      const std::vector<Banding>& earlier, Banding& out);

// Every non-blank row and the check box.
bool ReadBandings(const BandingForm& form, const LengthFormat& lengths, BandingSettings& out,
                  InputFault& fault);

}  // namespace tarvex
