#include "io/OutcomeText.h"

#include "job/EdgeBanding.h"
#include "text/FileMessages.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Code = InputFault::Code;

std::string TableName(EntryTable table) {
    switch (table) {
        case EntryTable::Sheets:
            return _("Sheets");
        case EntryTable::Bandings:
            return _("Bandings");
        case EntryTable::Parts:
        case EntryTable::None:
            break;
    }
    return _("Parts");
}

// The column's caption in the table's header row.
std::string ColumnName(EntryColumn column) {
    switch (column) {
        case EntryColumn::Label:
            return _("Label");
        case EntryColumn::Length:
            return _("Length");
        case EntryColumn::Width:
            return _("Width");
        case EntryColumn::Quant:
            return _("Quant");
        case EntryColumn::Cost:
            return _("Cost");
        case EntryColumn::Priority:
            return _("Priority");
        case EntryColumn::Rotatable:
            return _("Rotatable");
        case EntryColumn::Material:
            return _("Material");
        case EntryColumn::Grain:
            return _("Grain");
        case EntryColumn::BandingL1:
        case EntryColumn::BandingL2:
        case EntryColumn::BandingW1:
        case EntryColumn::BandingW2:
            return EdgeName(
                Edge(static_cast<int>(column) - static_cast<int>(EntryColumn::BandingL1)));
        case EntryColumn::BandingName:
            return _("Name");
        case EntryColumn::BandingThickness:
            return _("Thickness");
        case EntryColumn::BandingAllowance:
            return _("Allowance");
        case EntryColumn::None:
            break;
    }
    return {};
}

std::string Value(const InputFault& f, std::size_t k) {
    return k < f.values.size() ? f.values[k] : std::string();
}

// "{1}" the table, "{2}" the row, "{3}" the column, "{4}" the first value.
std::string AtCell(const std::string& message, const InputFault& f) {
    return Substitute(
        message, {TableName(f.table), std::to_string(f.row), ColumnName(f.column), Value(f, 0)});
}

std::string AtSetting(const std::string& message, const InputFault& f) {
    return Substitute(message, {_(f.setting.c_str()), Value(f, 0)});
}

}  // namespace

std::string FaultText(const InputFault& f) {
    switch (f.code) {
        case Code::None:
            break;
        case Code::FirstRowIncorrect:
            return f.table == EntryTable::Sheets
                       ? _("Sheets is incorrect, please correct and try again!")
                       : _("Parts is incorrect, please correct and try again!");
        case Code::NotANumber:
            return AtCell(_("{1}, row {2}, column \"{3}\": \"{4}\" is not a number."), f);
        case Code::NotAWholeNumber:
            return AtCell(_("{1}, row {2}, column \"{3}\": \"{4}\" is not a whole number."), f);
        case Code::NegativeQuantity:
            return AtCell(_("{1}, row {2}, column \"{3}\": the quantity must not be negative."), f);
        case Code::NotAGrain:
            return AtCell(_("{1}, row {2}, column \"{3}\": \"{4}\" is not a grain direction: "
                            "use length, width or none."),
                          f);
        case Code::SizeNotPositive:
            return AtCell(_("{1}, row {2}, column \"{3}\": the size must be greater than 0."), f);
        case Code::NegativeCost:
            return AtCell(_("{1}, row {2}, column \"{3}\": the cost must not be negative."), f);
        case Code::SizesOutOfRange:
            return AtCell(_("{1}, row {2}: the sizes are out of range."), f);
        case Code::NoUsableArea:
            return AtCell(_("{1}, row {2}: the margins leave no usable area on this sheet."), f);
        case Code::TooManyParts:
            return Substitute(
                _("The parts add up to {1} pieces; at most {2} can be calculated at once. "
                  "Please check the quantities."),
                f.values);
        case Code::TooManySheets:
            return Substitute(_("The job needs more than {1} sheets. Please check the "
                                "quantities and sizes of the sheets and parts."),
                              f.values);
        case Code::NoParts:
            return _("There are no parts to cut: give at least one part a quantity above 0.");
        case Code::NoSheetOfMaterial:
            return AtCell(_("{1}, row {2}: no sheet is of the material \"{4}\"."), f);
        case Code::FirstCutAcrossGrain:
            return AtCell(_("{1}, row {2}: the grain runs across this sheet, so the first cuts "
                            "cannot all run one way on every sheet. Set the first cut to any "
                            "direction."),
                          f);
        case Code::UnknownBanding:
            return AtCell(_("{1}, row {2}, column \"{3}\": the banding list has no banding "
                            "\"{4}\"."),
                          f);
        case Code::BandingLeavesNothing:
            return AtCell(_("{1}, row {2}: cut smaller by its banding, nothing of this part "
                            "is left."),
                          f);
        case Code::BandingNegative:
            return AtCell(_("{1}, row {2}, column \"{3}\": the length must not be negative."), f);
        case Code::BandingWithoutName:
            return AtCell(_("{1}, row {2}: the banding has no name."), f);
        case Code::DuplicateBanding:
            return AtCell(_("{1}, row {2}: the banding \"{4}\" is already in the list."), f);
        case Code::AreaExceeded:
            return _(
                "The total area of parts is greater than the total area of sheets, "
                "can't optimize!");
        case Code::SettingNotANumber:
            return AtSetting(_("{1} \"{2}\" is not a number."), f);
        case Code::SettingNotAWholeNumber:
            return AtSetting(_("{1} \"{2}\" is not a whole number."), f);
        case Code::SettingNegative:
            return AtSetting(_("{1} must not be negative."), f);
    }
    return {};
}

std::string OutcomeText(const CalcOutcome& o) {
    using S = CalcOutcome::Status;
    switch (o.status) {
        case S::PartsIncorrect:
        case S::SheetsIncorrect:
        case S::InputRefused:
        case S::AreaRefused:
            return FaultText(o.fault);
        case S::PlanRejected:
            return Substitute(_("Internal error: the plan fails its check and is not applied. {1}"),
                              {o.violation ? o.violation->message : std::string()});
        case S::Applied:
        case S::KeptPrevious:
            break;
    }
    std::string message =
        o.allPlaced
            ? _("Congratulations! All parts nesting is completed!")
            : _("Sheets area of less than, some of the parts can not be completed nesting!");
    if (o.bestForStages)
        message += " " + _("The classic search cannot keep to the stage limits: the "
                           "best search made this plan.");
    for (const PartRow& part : o.fittingNoSheet)
        message += "\n" + Substitute(_("{1}, row {2}: \"{3}\" of {4} x {5} fits on no sheet."),
                                     {_("Parts"), std::to_string(part.row), part.label,
                                      FormatGeneral(part.length), FormatGeneral(part.width)});
    return message;
}

bool OutcomeIsError(const CalcOutcome& o) {
    return !o.Ran() && o.status != CalcOutcome::Status::AreaRefused;
}

EntryTable TableToShow(const CalcOutcome& o) {
    const InputFault::Code code = o.fault.code;
    if (o.Ran() || (code != Code::FirstRowIncorrect && code != Code::NoParts))
        return EntryTable::None;
    return o.fault.table;
}

}  // namespace tarvex
