// The main window: five pages, the main menu and the calculation. It only wires
// the pages to the commands; each role lives in its own file.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <QTimer>
#include <memory>

#include "app/SettingsForm.h"
#include "app/ui/CellTableModel.h"

class CalcRunner;
class Dialogs;
class LayoutsPage;
class QAction;
class QMenu;
class QTabWidget;
class ReportPage;
class SetsPage;
class TablePage;

class TfrmMain : public QMainWindow {
    Q_OBJECT

  public:
    enum Page { kSheetsPage, kPartsPage, kLayoutsPage, kReportPage, kSetsPage };

    explicit TfrmMain(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The settings controls of every page as one record.
    SettingsForm Settings() const;
    void ShowSettings(const SettingsForm& form);

    QString BaseCaption() const { return baseCaption_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void Retranslate();
    void pgcpg1Change(int index);
    void mnPrintSetupClick();
    void mnAboutClick();

    Dialogs& dialogs_;
    CellTableModel sheetModel_{TableKind::Sheets};
    CellTableModel partModel_{TableKind::Parts};
    QTabWidget* pgcpg1_;
    TablePage* sheetsPage_;
    TablePage* partsPage_;
    LayoutsPage* layoutsPage_;
    ReportPage* reportPage_;
    SetsPage* setsPage_;
    QMenu *mnFile_, *mnProject_, *mnHelpMenu_;
    QAction *mnPrintSetup_, *mnExit_, *mniOpen_, *mniSave_, *mnCalc_, *mnHelp_, *mniLatest_,
        *mnAbout_;
    QPrinter printer_;
    CalcRunner* runner_;
    QString baseCaption_;
};
