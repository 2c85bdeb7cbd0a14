// The part labels as a PDF of label sheets, written without a print dialog: one
// label per physical part with its texts, a light colour of its part label and a
// QR code of the same text, on the label format the settings choose.
#pragma once

#include <string>

#include "export/ExportCommon.h"
#include "export/LabelFormats.h"

namespace tarvex {

// The PDF's bytes; empty when the result places no part.
std::string LabelSheetPdf(const ExportSource& source, const LabelFormat& format);

ExportOutcome ExportLabels(const ExportSource& source, const std::string& path);

}  // namespace tarvex
