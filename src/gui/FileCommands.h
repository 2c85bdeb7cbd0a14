// The list file buttons of the Sheets and Parts pages: each asks for a file, lets
// the core read or write it and shows what went wrong. A list with changes that
// are not saved is not replaced without asking.
#pragma once

#include <QObject>

#include "gui/EntryCommandParts.h"
#include "io/ListFiles.h"

namespace tarvex {

enum class FileDialogKind;
class TablePage;

struct FileCommandsParts : EntryCommandParts {
    TablePage& sheetsPage;
    TablePage& partsPage;
};

class FileCommands : public QObject {
    Q_OBJECT

  public:
    explicit FileCommands(FileCommandsParts parts, QObject* parent = nullptr);

    ListFileNames& Names() { return names_; }
    // Shows the list names in the "File Name:" boxes.
    void ShowNames() const;

    void Open(TableKind kind);
    void Save(TableKind kind);
    void SaveLeft();
    // Saves the table to its list when it changed or has no list file yet: to the
    // list it was read from when that is a text list, otherwise where the user
    // says. False when the user cancels or the file cannot be written.
    bool SaveIfChanged(TableKind kind);
    // Saves the table to `path` when it changed or has no list file yet; a list
    // that is as it was stays where it is. False when it cannot be written.
    bool SaveChangedTo(TableKind kind, const std::string& path);

    // Asks for a file with the dialog of `kind`; an empty text when cancelled.
    QString Ask(FileDialogKind kind, bool save) const;
    // Shows a failure in the general error box, a list that stopped early in an
    // error box of the window.
    void Report(const ListResult& result) const;

  private:
    CellTableModel& Model(TableKind kind) const;
    TablePage& Page(TableKind kind) const;
    // The table's list names an existing file.
    bool HasSavedList(TableKind kind) const;
    bool SaveTo(TableKind kind, const QString& path);

    FileCommandsParts p_;
    ListFileNames names_;
};

}  // namespace tarvex
