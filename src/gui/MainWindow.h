// The main window: five pages, the main menu and the calculation. It only wires
// the pages to the commands; each role lives in its own file.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/CellTableModel.h"
#include "gui/QtTexts.h"
#include "io/RecoveryCopy.h"
#include "io/SettingsForm.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace tarvex {

class CalcCommand;
class ChangeTracker;
class Dialogs;
class FileCommands;
class LayoutsPage;
class Messages;
class OutputCommands;
class ProjectCommands;
class RecoveryKeeper;
class ReportPage;
class SetsPage;
class TableHistory;
class TablePage;

// The files the window reads and writes besides the ones the user picks.
struct WindowFiles {
    std::filesystem::path settingsFile;  // velkor.db: the language
    std::filesystem::path settingsSeed;  // an installation's default settings file
    std::filesystem::path localeDir;     // the catalogs, one folder per language
    std::filesystem::path recoveryDir;   // the recovery copies of unsaved work
    // How soon after a change the recovery copy is written, at the most often.
    std::chrono::milliseconds recoveryDelay{30000};

    // Where the installed or portable program keeps them.
    static WindowFiles Default();
};

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    enum Page { kSheetsPage, kPartsPage, kLayoutsPage, kReportPage, kSetsPage };

    MainWindow(Dialogs& dialogs, const WindowFiles& files, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The settings controls of every page as one record.
    SettingsForm Settings() const;
    void ShowSettings(const SettingsForm& form);

    // Opens a project as the Project menu does, for a project named on the command line.
    void OpenProject(const QString& path);
    // At start: offers to restore the unsaved work that a crash or a kill of a
    // window left behind, the newest first; a copy not restored is removed.
    void OfferRecovery();

    // The caption without a project name, in the current language.
    QString BaseCaption() const;
    // The project file shown, empty when none; whether anything is not saved.
    const std::string& ProjectPath() const;
    bool HasUnsavedChanges() const;
    const std::vector<std::string>& LanguageList() const { return languageList_; }
    const std::string& LanguageCode() const { return languageCode_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The entry tables read sizes in the unit the settings page shows.
    void FollowUnit();
    // The banding cells of the part table offer the names of the settings page's bandings.
    void FollowBandings();
    void BuildMenu();
    void ConnectPages();
    void ConnectProject();
    // The project's name, marked with "*" while something is not saved, and the
    // base caption.
    void UpdateTitle();
    // Sets languageCode_ as the language and translates every text of the window again.
    void ApplyLanguage();
    void Retranslate();
    // The Yes/No editors and the fixed rows of the tables in the current language.
    void TranslateTables();
    // While a calculation runs, nothing may change the tables, the settings or the files.
    void SetRunning(bool running);
    // The colour boxes' names in the current language.
    void TranslateColors();
    void ShowResult();
    // The status line: the seed of the plan shown.
    void ShowPlanStatus();
    // Keeps a recovery copy of the tables and settings while they are not saved.
    void KeepRecoveryCopy();
    std::optional<RecoveryCopy> UnsavedWork() const;
    void cbbLangChange(int index);
    void pgcpg1Change(int index);
    void mnPrintSetupClick();
    void mnHelpClick();
    void mniLatestClick();
    void mnAboutClick();
    void tmr1Timer();

    Dialogs& dialogs_;
    WindowFiles files_;
    CellTableModel sheetModel_{TableKind::Sheet};
    CellTableModel partModel_{TableKind::Part};
    TableHistory* history_;
    QTabWidget* pgcpg1_;
    QLabel* lblPlanStatus_;
    TablePage* sheetsPage_;
    TablePage* partsPage_;
    LayoutsPage* layoutsPage_;
    ReportPage* reportPage_;
    SetsPage* setsPage_;
    QMenu *mnFile_, *mnEdit_, *mnProject_, *mnHelpMenu_;
    QAction *mnPrintSetup_, *mnExit_, *mnUndo_, *mnRedo_, *mniNew_, *mniOpen_, *mniSave_,
        *mniSaveAs_, *mnCalc_, *mnHelp_, *mniLatest_, *mnAbout_;
    std::unique_ptr<Messages> messages_;
    FileCommands* fileCommands_;
    ChangeTracker* changes_;
    ProjectCommands* project_ = nullptr;
    CalcCommand* calc_ = nullptr;
    OutputCommands* outputs_;
    RecoveryKeeper* recovery_ = nullptr;
    QPrinter printer_;
    QTimer* tmr1_;
    QtTexts qtTexts_;
    std::vector<std::string> languageList_;
    std::string languageCode_;
};

}  // namespace tarvex
