// The banding list file NAME.banding.txt beside the project NAME.dat: the banding
// table of the settings and its check box. One banding a line: name, thickness and
// allowance, separated by TABs (the allowance may be left out); the line
// "finished sizes=yes" or "finished sizes=no" holds the check box. Blank lines and
// lines starting with "#" are skipped.
#pragma once

#include <string>

#include "io/SettingsForm.h"
#include "text/LengthText.h"

namespace tarvex {

// The banding list that belongs to the project `projectPath`.
std::string BandingListPath(const std::string& projectPath);

// Reads the list into `out`, lengths in `lengths`. A line that is not a banding
// (no name, a thickness or allowance that is not a length or below 0, a name
// already read, letter case ignored) or a flag of neither yes nor no stops the
// reading: false, with a message naming the file, the line and the fault; the
// lines before it stay in `out`.
bool ReadBandingList(const std::string& path, const LengthFormat& lengths, BandingForm& out,
                     std::string& error);

// Writes the non-blank rows and the check box, replacing the file atomically.
bool WriteBandingList(const std::string& path, const BandingForm& form, std::string& error);

}  // namespace tarvex
