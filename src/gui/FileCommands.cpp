#include "gui/FileCommands.h"

#include <QMainWindow>
#include <filesystem>

#include "gui/CellTableModel.h"
#include "gui/ChangeTracker.h"
#include "gui/Dialogs.h"
#include "gui/EntryTableView.h"
#include "gui/Messages.h"
#include "gui/TableHistory.h"
#include "gui/TablePage.h"
#include "gui/UiText.h"
#include "io/FileDialogs.h"
#include "text/Translate.h"

namespace tarvex {

FileCommands::FileCommands(FileCommandsParts parts, QObject* parent)
    : QObject(parent), p_(std::move(parts)) {}

CellTableModel& FileCommands::Model(TableKind kind) const {
    return kind == TableKind::Sheet ? p_.sheets : p_.parts;
}

TablePage& FileCommands::Page(TableKind kind) const {
    return kind == TableKind::Sheet ? p_.sheetsPage : p_.partsPage;
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
    Page(kind).View().CommitEditing();
    if (p_.changes.ListChanged(kind)) {
        const Dialogs::Choice choice = p_.dialogs.AskToSave(
            &p_.window, p_.window.windowTitle(),
            Q(sheets ? _("The sheet list has changes that are not saved. Save them?")
                     : _("The part list has changes that are not saved. Save them?")));
        if (choice == Dialogs::Choice::Cancel) return;
        if (choice == Dialogs::Choice::Save && !SaveIfChanged(kind)) return;
    }
    const QString path = Ask(sheets ? FileDialogKind::SheetOpen : FileDialogKind::PartOpen, false);
    if (path.isEmpty()) return;
    ListResult result;
    p_.history.Edit(Model(kind), [&](CellTable& t) {
        const LengthFormat& lengths = Model(kind).Lengths();
        result = sheets ? OpenSheetFile(S(path), t, names_, lengths)
                        : OpenPartFile(S(path), t, names_, lengths);
    });
    p_.changes.MarkListSaved(kind);
    ShowNames();
    Report(result);
    Page(kind).View().setFocus();
}

bool FileCommands::SaveTo(TableKind kind, const QString& path) {
    const CellTable& table = Model(kind).Table();
    const ListResult result = kind == TableKind::Sheet ? SaveSheetFile(S(path), table, names_)
                                                       : SavePartFile(S(path), table, names_);
    ShowNames();
    Report(result);
    if (result.ok) p_.changes.MarkListSaved(kind);
    return result.ok;
}

void FileCommands::Save(TableKind kind) {
    Page(kind).View().CommitEditing();
    const QString path =
        Ask(kind == TableKind::Sheet ? FileDialogKind::SheetSave : FileDialogKind::PartSave, true);
    if (!path.isEmpty()) SaveTo(kind, path);
}

bool FileCommands::HasSavedList(TableKind kind) const {
    const std::string& name = kind == TableKind::Sheet ? names_.SheetFileName : names_.PartFileName;
    std::error_code missing;
    return !name.empty() && std::filesystem::is_regular_file(name, missing);
}

bool FileCommands::SaveChangedTo(TableKind kind, const std::string& path) {
    Page(kind).View().CommitEditing();
    if (HasSavedList(kind) && !p_.changes.ListChanged(kind)) return true;
    return SaveTo(kind, Q(path));
}

bool FileCommands::SaveIfChanged(TableKind kind) {
    Page(kind).View().CommitEditing();
    const std::string& name = kind == TableKind::Sheet ? names_.SheetFileName : names_.PartFileName;
    const bool exists = HasSavedList(kind);
    if (exists && !p_.changes.ListChanged(kind)) return true;
    // Workbooks, sectioned and CSV lists are only read: the table goes to a text list.
    if (exists && ChooseListReader(kind, name, true) == ListReader::Text)
        return SaveTo(kind, Q(name));
    const QString path =
        Ask(kind == TableKind::Sheet ? FileDialogKind::SheetSave : FileDialogKind::PartSave, true);
    return !path.isEmpty() && SaveTo(kind, path);
}

void FileCommands::SaveLeft() {
    p_.sheetsPage.View().CommitEditing();
    const QString path = Ask(FileDialogKind::SaveLeft, true);
    if (path.isEmpty()) return;
    Report(SaveLeftSheets(S(path), p_.sheets.Table()));
}

}  // namespace tarvex
