#include "gui/FileCommands.h"

#include <QMainWindow>

#include "gui/CellTableModel.h"
#include "gui/Dialogs.h"
#include "gui/EntryTableView.h"
#include "gui/Messages.h"
#include "gui/TablePage.h"
#include "gui/UiText.h"
#include "io/FileDialogs.h"
#include "io/ProjectFiles.h"

FileCommands::FileCommands(FileCommandsParts parts, QObject* parent)
    : QObject(parent), p_(std::move(parts)) {}

std::vector<std::string> FileCommands::Inputs() const {
    return {names_.SheetFileName, names_.PartFileName, projectPath_};
}

QString FileCommands::Ask(FileDialogKind kind, bool save) const {
    const FileRequest request = FileRequestFor(kind);
    return save ? p_.dialogs.SaveFile(&p_.window, request)
                : p_.dialogs.OpenFile(&p_.window, request);
}

void FileCommands::Report(const ListResult& result) const {
    if (!result.ok)
        p_.messages.GeneralError(result.message);
    else if (!result.message.empty())
        p_.messages.Error(result.message);
}

void FileCommands::ShowNames() const {
    p_.sheetsPage.ShowFileName(Q(names_.SheetFileName));
    p_.partsPage.ShowFileName(Q(names_.PartFileName));
}

void FileCommands::Open(TableKind kind) {
    const bool sheets = kind == TableKind::Sheet;
    const QString path = Ask(sheets ? FileDialogKind::SheetOpen : FileDialogKind::PartOpen, false);
    if (path.isEmpty()) return;
    ListResult result;
    (sheets ? p_.sheets : p_.parts).Edit([&](CellTable& t) {
        result = sheets ? OpenSheetFile(S(path), t, names_) : OpenPartFile(S(path), t, names_);
    });
    ShowNames();
    Report(result);
    (sheets ? p_.sheetsPage : p_.partsPage).View().setFocus();
}

void FileCommands::Save(TableKind kind) {
    const bool sheets = kind == TableKind::Sheet;
    (sheets ? p_.sheetsPage : p_.partsPage).View().CommitEditing();
    const QString path = Ask(sheets ? FileDialogKind::SheetSave : FileDialogKind::PartSave, true);
    if (path.isEmpty()) return;
    const ListResult result = sheets ? SaveSheetFile(S(path), p_.sheets.Table(), names_)
                                     : SavePartFile(S(path), p_.parts.Table(), names_);
    ShowNames();
    Report(result);
}

void FileCommands::SaveLeft() {
    p_.sheetsPage.View().CommitEditing();
    const QString path = Ask(FileDialogKind::SaveLeft, true);
    if (path.isEmpty()) return;
    Report(SaveLeftSheets(S(path), p_.sheets.Table()));
}

void FileCommands::ProjectOpen() {
    const QString path = Ask(FileDialogKind::ProjectOpen, false);
    if (!path.isEmpty()) OpenProjectFile(path);
}

void FileCommands::OpenProjectFile(const QString& path) {
    CellTable sheets = p_.sheets.Table();
    CellTable parts = p_.parts.Table();
    SettingsForm form = p_.settings();
    const ProjectResult result = LoadProject(S(path), sheets, parts, names_, form);
    if (!result.ok) {
        p_.messages.GeneralError(result.message);
        return;
    }
    projectPath_ = S(path);
    p_.sheets.Edit([&](CellTable& t) { t = std::move(sheets); });
    p_.parts.Edit([&](CellTable& t) { t = std::move(parts); });
    p_.showSettings(form);
    ShowNames();
    p_.showProject(ProjectCaption(S(path), p_.baseCaption()));
    if (!result.message.empty()) p_.messages.Error(result.message);
}

void FileCommands::ProjectSave() {
    const std::string refusal = ProjectSaveRefusal(names_);
    if (!refusal.empty()) {
        p_.messages.Error(refusal);
        return;
    }
    const QString path = Ask(FileDialogKind::ProjectSave, true);
    if (path.isEmpty()) return;
    const ProjectResult result = SaveProject(S(path), names_, p_.settings());
    if (!result.ok) {
        p_.messages.GeneralError(result.message);
        return;
    }
    projectPath_ = S(path);
    p_.window.setWindowTitle(Q(ProjectCaption(S(path), p_.baseCaption())));
}
