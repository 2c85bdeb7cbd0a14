// The list file buttons of the Sheets and Parts pages and the project commands:
// each asks for a file, lets the core read or write it and shows what went wrong.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "io/ListFiles.h"
#include "io/SettingsForm.h"

enum class FileDialogKind;
class CellTableModel;
class Dialogs;
class Messages;
class QMainWindow;
class TablePage;

struct FileCommandsParts {
    QMainWindow& window;
    Dialogs& dialogs;
    const Messages& messages;
    CellTableModel& sheets;
    CellTableModel& parts;
    TablePage& sheetsPage;
    TablePage& partsPage;
    std::function<SettingsForm()> settings;
    std::function<void(const SettingsForm&)> showSettings;
    // After a project is opened: its caption and the "Layouts" page.
    std::function<void(const std::string& caption)> showProject;
    std::function<std::string()> baseCaption;
};

class FileCommands : public QObject {
    Q_OBJECT

  public:
    explicit FileCommands(FileCommandsParts parts, QObject* parent = nullptr);

    const ListFileNames& Names() const { return names_; }
    // The list files and the project file the tables and settings came from.
    std::vector<std::string> Inputs() const;

    void Open(TableKind kind);
    void Save(TableKind kind);
    void SaveLeft();
    void ProjectOpen();
    // Applies a project file named without the dialog (the command line of the program).
    void OpenProjectFile(const QString& path);
    void ProjectSave();

  private:
    QString Ask(FileDialogKind kind, bool save) const;
    // Shows a failure in the general error box, a list that stopped early in an
    // error box of the window.
    void Report(const ListResult& result) const;
    void ShowNames() const;

    FileCommandsParts p_;
    ListFileNames names_;
    std::string projectPath_;
};
