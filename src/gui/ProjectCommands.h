// The Project menu: a new project, opening one, saving it (its changed lists
// with it) and saving it under another name. The applied plan is saved beside the
// project and shown again when it is opened. Nothing that is not saved is
// replaced or lost without asking.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "gui/EntryCommandParts.h"
#include "io/SettingsForm.h"

namespace tarvex {

class CalcCommand;
class FileCommands;
struct RecoveryCopy;
struct StoredPlan;

struct ProjectCommandsParts : EntryCommandParts {
    FileCommands& lists;
    CalcCommand& calc;
    std::function<SettingsForm()> settings;
    std::function<void(const SettingsForm&)> showSettings;
    // After a project was opened: the "Layouts" page.
    std::function<void()> showLayouts;
};

class ProjectCommands : public QObject {
    Q_OBJECT

  public:
    explicit ProjectCommands(ProjectCommandsParts parts, QObject* parent = nullptr);

    // The project file; empty for a project never saved.
    const std::string& ProjectPath() const { return path_; }

    void New();
    void Open();
    // Applies a project file named without the dialog (the program's command line).
    void OpenFile(const QString& path);
    // Saves to the project's file, asking for one when it has none; false when
    // nothing was saved (cancelled or failed).
    bool Save();
    bool SaveAs();
    // Shows the unsaved work of a recovery copy: its project as saved, then the
    // copy's tables, settings and lists over it, as changes not saved yet.
    void Restore(const RecoveryCopy& copy);
    // Whether changes may be lost now: true when there are none, when the user
    // discards them, or when they were saved at the user's word.
    bool MayDiscardChanges();

  Q_SIGNALS:
    // Another project file, or none.
    void pathChanged();

  private:
    bool SaveToFile(const std::string& path);
    // The plan stored beside the project, or none.
    void OpenPlan(const std::string& projectPath);
    // What made the plan and the project file does not keep (the search, its
    // time limit and seed, the cost objective, the offcut prefix) comes back from
    // the plan, so that the plan of a project just opened is not outdated.
    void ShowPlanSettings(const StoredPlan& plan);
    void SetPath(std::string path);

    ProjectCommandsParts p_;
    std::string path_;
};

}  // namespace tarvex
