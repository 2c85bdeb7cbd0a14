#include "gui/ProjectCommands.h"

#include <QMainWindow>

#include "gui/CellTableModel.h"
#include "gui/ChangeTracker.h"
#include "gui/Dialogs.h"
#include "gui/FileCommands.h"
#include "gui/Messages.h"
#include "gui/TableHistory.h"
#include "gui/UiText.h"
#include "io/FileDialogs.h"
#include "io/ProjectFiles.h"
#include "text/Translate.h"

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
    p_.showLayouts();
    if (!result.message.empty()) p_.messages.Error(result.message);
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
    return true;
}

bool ProjectCommands::Save() {
    if (path_.empty()) return SaveAs();
    return SaveToFile(path_);
}

bool ProjectCommands::SaveAs() {
    if (!p_.lists.SaveIfChanged(TableKind::Part) || !p_.lists.SaveIfChanged(TableKind::Sheet))
        return false;
    const QString path = p_.lists.Ask(FileDialogKind::ProjectSave, true);
    return !path.isEmpty() && SaveToFile(S(path));
}
