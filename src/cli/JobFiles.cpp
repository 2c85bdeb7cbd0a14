#include "cli/JobFiles.h"

#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/ProjectFiles.h"
#include "text/Translate.h"

namespace {

bool ListLoaded(const ListResult& result, std::string& error) {
    if (result.ok && result.message.empty()) return true;
    error = result.message;
    return false;
}

}  // namespace

bool LoadJob(const CliOptions& o, SettingsForm& form, CellTable& sheetTable, CellTable& partTable,
             std::string& error) {
    if (o.project.empty() && (o.sheets.empty() || o.parts.empty())) {
        error = _("Give a project file, or both --sheets and --parts.");
        return false;
    }
    sheetTable = NewSheetTable();
    partTable = NewPartTable();
    if (!o.project.empty()) {
        ListFileNames names;
        const ProjectResult project = LoadProject(o.project, sheetTable, partTable, names, form);
        if (!project.ok || !project.message.empty()) {
            error = project.message;
            return false;
        }
    }
    if (!o.sheets.empty() && !ListLoaded(LoadSheetList(o.sheets, sheetTable), error)) return false;
    if (!o.parts.empty() && !ListLoaded(LoadPartList(o.parts, partTable), error)) return false;
    return true;
}

void ApplyOverrides(const CliOptions& o, SettingsForm& form) {
    if (o.speed) form.speed = *o.speed;
    if (o.guillotine) form.guillotine = true;
    if (o.freePlacement) form.guillotine = false;
    if (o.cost) form.costOptimization = true;
    if (o.blade) form.bladeWidth = *o.blade;
    if (o.margins.size() == 4) {
        form.marginTop = o.margins[0];
        form.marginBottom = o.margins[1];
        form.marginLeft = o.margins[2];
        form.marginRight = o.margins[3];
    }
    if (o.minOffcut.size() == 3) {
        form.minOffcutLength = o.minOffcut[0];
        form.minOffcutWidth = o.minOffcut[1];
        form.minOffcutArea = o.minOffcut[2];
    }
    if (o.prefix) form.offcutPrefix = *o.prefix;
    if (o.unit) form.unit = *o.unit;
}
