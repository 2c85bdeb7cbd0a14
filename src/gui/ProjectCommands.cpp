#include "gui/ProjectCommands.h"

#include <QMainWindow>
#include <filesystem>
#include <vector>

#include "export/StoredPlan.h"
#include "gui/CalcCommand.h"
#include "gui/CellTableModel.h"
#include "gui/ChangeTracker.h"
#include "gui/Dialogs.h"
#include "gui/FileCommands.h"
#include "gui/Messages.h"
#include "gui/TableHistory.h"
#include "gui/UiText.h"
#include "io/FileDialogs.h"
#include "io/ProjectFiles.h"
#include "io/RecoveryCopy.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

ProjectCommands::ProjectCommands(ProjectCommandsParts parts, QObject* parent)
    : QObject(parent), p_(std::move(parts)) {}

void ProjectCommands::SetPath(std::string path) {
    path_ = std::move(path);
    Q_EMIT pathChanged();
}

bool ProjectCommands::MayDiscardChanges() {
    if (!p_.changes.AnyChanged()) return true;
    switch (p_.dialogs.AskToSave(&p_.window, p_.window.windowTitle(),
                                 Q(_("The project has changes that are not saved. Save them?")))) {
        case Dialogs::Choice::Save:
            return Save();
        case Dialogs::Choice::Discard:
            return true;
        case Dialogs::Choice::Cancel:
            break;
    }
    return false;
}

void ProjectCommands::New() {
    if (!MayDiscardChanges()) return;
    p_.sheets.Edit([](CellTable& t) { t = NewSheetTable(); });
    p_.parts.Edit([](CellTable& t) { t = NewPartTable(); });
    p_.showSettings(SettingsForm{});
    p_.lists.Names() = {};
    p_.lists.ShowNames();
    p_.history.Clear();
    p_.changes.MarkAllSaved();
    p_.calc.Forget();
    SetPath({});
}

void ProjectCommands::Open() {
    if (!MayDiscardChanges()) return;
    const QString path = p_.lists.Ask(FileDialogKind::ProjectOpen, false);
    if (!path.isEmpty()) OpenFile(path);
}

void ProjectCommands::OpenFile(const QString& path) {
    CellTable sheets = p_.sheets.Table();
    CellTable parts = p_.parts.Table();
    SettingsForm form = p_.settings();
    ListFileNames names = p_.lists.Names();
    const ProjectResult result = LoadProject(S(path), sheets, parts, names, form);
    if (!result.ok) {
        p_.messages.GeneralError(result.message);
        return;
    }
    p_.sheets.Edit([&](CellTable& t) { t = std::move(sheets); });
    p_.parts.Edit([&](CellTable& t) { t = std::move(parts); });
    p_.showSettings(form);
    p_.lists.Names() = names;
    p_.lists.ShowNames();
    // Another project: the steps of the last one no longer apply.
    p_.history.Clear();
    p_.changes.MarkAllSaved();
    SetPath(S(path));
    OpenPlan(S(path));
    p_.showLayouts();
    if (!result.message.empty()) p_.messages.Error(result.message);
}

void ProjectCommands::Restore(const RecoveryCopy& copy) {
    std::error_code error;
    if (!copy.projectPath.empty() && std::filesystem::is_regular_file(copy.projectPath, error))
        OpenFile(Q(copy.projectPath));
    p_.history.Edit(p_.sheets, [&](CellTable& t) { t = copy.sheetTable; });
    p_.history.Edit(p_.parts, [&](CellTable& t) { t = copy.partTable; });
    p_.showSettings(copy.form);
    p_.lists.Names() = copy.names;
    p_.lists.ShowNames();
    p_.changes.Check();
}

void ProjectCommands::OpenPlan(const std::string& projectPath) {
    const std::string path = PlanPathOf(projectPath);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        p_.calc.Forget();
        return;
    }
    StoredPlan plan;
    std::string message;
    if (ReadStoredPlan(path, plan, message)) {
        p_.calc.Adopt(plan);
        ShowPlanSettings(plan);
        return;
    }
    p_.calc.Forget();
    p_.messages.Error(message);
}

void ProjectCommands::ShowPlanSettings(const StoredPlan& plan) {
    const JobSettings& made = plan.result->settings;
    SettingsForm form = p_.settings();
    form.bestSearch = made.search == SearchMethod::Best;
    form.timeLimit = FormatGeneral(made.timeLimit);
    form.seed = plan.fixedSeed ? std::to_string(plan.result->seed) : std::string();
    form.costOptimization = made.cut.costObjective;
    form.offcutPrefix = made.offcutPrefix;
    p_.showSettings(form);
}

bool ProjectCommands::SaveToFile(const std::string& path) {
    // The project names its lists: they are saved first, parts before sheets.
    if (!p_.lists.SaveIfChanged(TableKind::Part) || !p_.lists.SaveIfChanged(TableKind::Sheet))
        return false;
    const ProjectResult result = SaveProject(path, p_.lists.Names(), p_.settings());
    if (!result.ok) {
        p_.messages.GeneralError(result.message);
        return false;
    }
    p_.changes.MarkSettingsSaved();
    SetPath(path);
    // The plan goes with the project, so that it is shown again without a calculation.
    const StoredPlan plan = p_.calc.Plan();
    std::string error;
    if (plan.result && !WriteStoredPlan(PlanPathOf(path), plan, error))
        p_.messages.GeneralError(error);
    else
        p_.changes.MarkPlanSaved();
    return true;
}

bool ProjectCommands::Save() {
    if (path_.empty()) return SaveAs();
    return SaveToFile(path_);
}

bool ProjectCommands::SaveAs() {
    // Nothing is written before the new name is known.
    const QString chosen = p_.lists.Ask(FileDialogKind::ProjectSave, true);
    if (chosen.isEmpty()) return false;
    const std::string path = S(chosen);
    // The lists the project had stay as the project they came from names them:
    // a changed table goes beside the new project as a new list.
    const ListFileNames& names = p_.lists.Names();
    std::vector<std::string> taken;
    if (path != path_) taken = {names.SheetFileName, names.PartFileName};
    for (const TableKind kind : {TableKind::Part, TableKind::Sheet})
        if (!p_.lists.SaveChangedTo(kind, ListPathBesideProject(path, kind, taken))) return false;
    return SaveToFile(path);
}

}  // namespace tarvex
