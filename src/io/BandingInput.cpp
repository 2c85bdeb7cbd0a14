#include "io/BandingInput.h"

#include "text/CaseFold.h"
#include "text/FieldSplit.h"

namespace tarvex {

namespace {

InputFault FaultAt(InputFault::Code code, int row, EntryColumn column, const std::string& value) {
    return InputFault{.code = code,
                      .table = EntryTable::Bandings,
                      .row = row,
                      .column = column,
                      .values = {value}};
}

std::optional<InputFault> ReadBandingLength(const std::string& text, int row, EntryColumn column,
                                            const LengthFormat& lengths, double& out) {
    const std::optional<double> value = ParseLength(text, lengths);
    if (!value) return FaultAt(InputFault::Code::NotANumber, row, column, text);
    if (*value < 0) return FaultAt(InputFault::Code::BandingNegative, row, column, text);
    out = *value;
    return std::nullopt;
}

}  // namespace

bool IsBlankBanding(const BandingTexts& texts) {
    return TrimControls(texts.name).empty() && TrimControls(texts.thickness).empty() &&
           TrimControls(texts.allowance).empty();
}

bool HoldsBanding(const BandingForm& form) {
    if (form.finishedSizes) return true;
    for (const BandingTexts& row : form.rows)
        if (!IsBlankBanding(row)) return true;
    return false;
}

std::optional<InputFault> ReadBanding(const BandingTexts& texts, int row,
                                      const LengthFormat& lengths,
                                      const std::vector<Banding>& earlier, Banding& out) {
    out = Banding{.name = TrimControls(texts.name), .thickness = 0, .allowance = 0};
    if (out.name.empty())
        return FaultAt(InputFault::Code::BandingWithoutName, row, EntryColumn::BandingName, {});
    for (const Banding& before : earlier)
        if (before.name == out.name || SameIgnoringCase(before.name, out.name))
            return FaultAt(InputFault::Code::DuplicateBanding, row, EntryColumn::BandingName,
                           out.name);
    if (auto fault = ReadBandingLength(texts.thickness, row, EntryColumn::BandingThickness, lengths,
                                       out.thickness))
        return fault;
    if (TrimControls(texts.allowance).empty()) return std::nullopt;
    return ReadBandingLength(texts.allowance, row, EntryColumn::BandingAllowance, lengths,
                             out.allowance);
}

bool ReadBandings(const BandingForm& form, const LengthFormat& lengths, BandingSettings& out,
                  InputFault& fault) {
    BandingSettings read{.bandings = {}, .finishedSizes = form.finishedSizes};
    for (size_t i = 0; i < form.rows.size(); ++i) {
        if (IsBlankBanding(form.rows[i])) continue;
        Banding banding;
        if (auto found = ReadBanding(form.rows[i], static_cast<int>(i) + 1, lengths, read.bandings,
                                     banding)) {
            fault = *found;
            return false;
        }
        read.bandings.push_back(std::move(banding));
    }
    out = std::move(read);
    return true;
}

}  // namespace tarvex
