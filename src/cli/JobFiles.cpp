#include "cli/JobFiles.h"

#include "io/BandingList.h"
#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/ProjectFiles.h"
#include "io/SettingText.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

bool ListLoaded(const ListResult& result, std::string& error) {
    if (result.ok && result.message.empty()) return true;
    error = result.message;
    return false;
}

// A list that gave no rows is named here: the check of the table's first row
// could not tell which file was empty.
bool HoldsRows(TableKind kind, const CellTable& table, const std::string& file,
               std::string& error) {
    if (!ListLines(kind, table).empty()) return true;
    error = Substitute(kind == TableKind::Sheet ? _("{1}: the list holds no sheets.")
                                                : _("{1}: the list holds no parts."),
                       {file});
    return false;
}

// --unit over `unit`, then the fractions of --fractions.
bool ApplyUnitOptions(const CliOptions& o, std::string& unit, std::string& error) {
    if (o.unit) unit = TrimControls(*o.unit);
    if (!o.fractions) return true;
    const std::optional<std::string> withFractions = UnitTextWithFractions(unit, *o.fractions);
    if (!withFractions) {
        error = Substitute(_("--fractions needs a unit of inches, not \"{1}\"."), {unit});
        return false;
    }
    unit = *withFractions;
    return true;
}

}  // namespace

bool LoadJob(const CliOptions& o, SettingsForm& form, CellTable& sheetTable, CellTable& partTable,
             std::vector<std::string>& inputs, std::string& error) {
    if (o.project.empty() && (o.sheets.empty() || o.parts.empty())) {
        error = _("Give a project file, or both --sheets and --parts.");
        return false;
    }
    sheetTable = NewSheetTable();
    partTable = NewPartTable();
    inputs = {o.project, o.sheets, o.parts, o.banding};
    std::string sheetFile, partFile;  // where the tables come from, when a project fills them
    if (!o.project.empty()) {
        ListFileNames names;
        const ProjectResult project = LoadProject(o.project, sheetTable, partTable, names, form);
        inputs.insert(inputs.end(),
                      {names.SheetFileName, names.PartFileName, BandingListPath(o.project)});
        sheetFile = names.SheetFileName.empty() ? o.project : names.SheetFileName;
        partFile = names.PartFileName.empty() ? o.project : names.PartFileName;
        if (!project.ok || !project.message.empty()) {
            error = project.message;
            return false;
        }
    }
    // The lists and the settings are read in the unit the options give.
    if (!ApplyUnitOptions(o, form.unit, error)) return false;
    const LengthFormat lengths = LengthFormatOf(form.unit);
    if (!o.sheets.empty() &&
        !ListLoaded(LoadSheetList(o.sheets, sheetTable, false, lengths), error))
        return false;
    if (!o.parts.empty() && !ListLoaded(LoadPartList(o.parts, partTable, false, lengths), error))
        return false;
    if (!o.banding.empty() && !ReadBandingList(o.banding, lengths, form.banding, error))
        return false;
    return HoldsRows(TableKind::Sheet, sheetTable, o.sheets.empty() ? sheetFile : o.sheets,
                     error) &&
           HoldsRows(TableKind::Part, partTable, o.parts.empty() ? partFile : o.parts, error);
}

bool ApplySettingOptions(const CliOptions& o, JobSettings& settings, std::string& error) {
    CutSettings& cut = settings.cut;
    if (!ApplyUnitOptions(o, settings.unit, error)) return false;
    const LengthFormat lengths = LengthFormatOf(settings.unit);
    if (o.speed) settings.speed = *o.speed;
    if (o.search)
        settings.search = *o.search == "best" ? SearchMethod::Best : SearchMethod::Classic;
    if (o.timeLimit) settings.timeLimit = *o.timeLimit;
    if (o.iterations) settings.bestSteps = *o.iterations;
    if (o.stages) cut.stages = *o.stages == "any" ? 0 : std::stoi(*o.stages);
    if (o.firstCut)
        cut.firstCut = *o.firstCut == "length"  ? FirstCut::Length
                       : *o.firstCut == "width" ? FirstCut::Width
                                                : FirstCut::Any;
    if (o.guillotine) cut.guillotine = true;
    if (o.freePlacement) cut.guillotine = false;
    if (o.cost) cut.costObjective = true;
    if (o.finishedSizes) settings.banding.finishedSizes = true;
    if (o.blade && !ReadSettingLength(*o.blade, "Blade Width:", lengths, cut.bladeWidth, error))
        return false;
    if (o.margins.size() == 4 &&
        (!ReadSettingLength(o.margins[0], "Top Margin:", lengths, cut.margins.top, error) ||
         !ReadSettingLength(o.margins[1], "Bottom Margin:", lengths, cut.margins.bottom, error) ||
         !ReadSettingLength(o.margins[2], "Left Margin:", lengths, cut.margins.left, error) ||
         !ReadSettingLength(o.margins[3], "Right Margin:", lengths, cut.margins.right, error)))
        return false;
    if (o.minOffcut.size() == 3 &&
        (!ReadSettingSignedLength(o.minOffcut[0], "Min. Length:", lengths, cut.minOffcutLength,
                                  error) ||
         !ReadSettingSignedLength(o.minOffcut[1], "Min. Width:", lengths, cut.minOffcutWidth,
                                  error) ||
         !ReadSettingNumber(o.minOffcut[2], "Min. Area:", cut.minOffcutArea, error)))
        return false;
    if (o.prefix) settings.offcutPrefix = TrimControls(*o.prefix);
    return ApplyCncOptions(o.exports, settings.cnc, error);
}

}  // namespace tarvex
