#include "gui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>
#include <ctime>

#include "gui/AboutDialog.h"
#include "gui/CalcCommand.h"
#include "gui/CellDelegate.h"
#include "gui/ChangeTracker.h"
#include "gui/ColorCombo.h"
#include "gui/Dialogs.h"
#include "gui/EntryTableView.h"
#include "gui/FileCommands.h"
#include "gui/LayoutsPage.h"
#include "gui/Logo.h"
#include "gui/Messages.h"
#include "gui/OutputCommands.h"
#include "gui/ProjectCommands.h"
#include "gui/RecoveryKeeper.h"
#include "gui/ReportPage.h"
#include "gui/SetsPage.h"
#include "gui/TableHistory.h"
#include "gui/TablePage.h"
#include "gui/UiText.h"
#include "gui/UpdateDialog.h"
#include "io/ProjectFiles.h"
#include "io/TableInput.h"
#include "render/ColorList.h"
#include "render/LayoutDrawing.h"
#include "shell/Help.h"
#include "shell/SettingsFile.h"
#include "shell/UpdateConfig.h"
#include "text/AppPaths.h"
#include "text/FileMessages.h"
#include "text/Languages.h"
#include "text/LengthText.h"
#include "text/Translate.h"

namespace tarvex {

WindowFiles WindowFiles::Default() {
    return {SettingsFilePath(), SettingsTemplatePath(), LocaleDir(), RecoveryDirPath()};
}

MainWindow::MainWindow(Dialogs& dialogs, const WindowFiles& files, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      files_(files),
      messages_(std::make_unique<Messages>(dialogs, *this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(TarvexLogo(64)));

    history_ = new TableHistory(this);
    history_->Watch(sheetModel_);
    history_->Watch(partModel_);
    sheetsPage_ = new TablePage(sheetModel_, *history_);
    partsPage_ = new TablePage(partModel_, *history_);
    layoutsPage_ = new LayoutsPage;
    reportPage_ = new ReportPage;
    setsPage_ = new SetsPage(dialogs_);
    auto* setsScroll = new QScrollArea;
    setsScroll->setWidget(setsPage_);
    setsScroll->setWidgetResizable(true);
    setsScroll->setFrameShape(QFrame::NoFrame);

    pgcpg1_ = new QTabWidget;
    pgcpg1_->setObjectName(QStringLiteral("pgcpg1"));
    pgcpg1_->addTab(sheetsPage_, QString());
    pgcpg1_->addTab(partsPage_, QString());
    pgcpg1_->addTab(layoutsPage_, QString());
    pgcpg1_->addTab(reportPage_, QString());
    pgcpg1_->addTab(setsScroll, QString());
    setCentralWidget(pgcpg1_);
    lblPlanStatus_ = new QLabel;
    lblPlanStatus_->setObjectName(QStringLiteral("lblPlanStatus"));
    lblPlanStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(lblPlanStatus_, 1);

    BuildMenu();
    ConnectPages();

    languageList_ = tarvex::LanguageList(files_.localeDir);
    QComboBox& languages = setsPage_->Languages();
    for (const std::string& code : languageList_) languages.addItem(Q(code));
    languageCode_ = ReadLanguage(files_.settingsFile, files_.settingsSeed);
    const auto stored = std::find(languageList_.begin(), languageList_.end(), languageCode_);
    languages.setCurrentIndex(
        stored == languageList_.end() ? -1 : static_cast<int>(stored - languageList_.begin()));
    ApplyLanguage();
    // Written after the language is set, so their Yes/No cells are in it.
    sheetModel_.Edit([](CellTable& t) { t = NewSheetTable(); });
    partModel_.Edit([](CellTable& t) { t = NewPartTable(); });
    ShowSettings(SettingsForm{});  // the colour boxes have their entries now
    ConnectProject();
    changes_->MarkAllSaved();
    UpdateTitle();
    KeepRecoveryCopy();

    // The update check runs once, a while after the start.
    tmr1_ = new QTimer(this);
    tmr1_->setObjectName(QStringLiteral("tmr1"));
    tmr1_->setSingleShot(true);
    tmr1_->setInterval(15000);
    connect(tmr1_, &QTimer::timeout, this, &MainWindow::tmr1Timer);
    tmr1_->start();

    resize(800, 600);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    const auto action = [this](QMenu* menu, const char* name) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(Q(name));
        return item;
    };
    mnFile_ = menuBar()->addMenu(QString());
    mnPrintSetup_ = action(mnFile_, "mnPrintSetup");
    mnFile_->addSeparator();
    mnExit_ = action(mnFile_, "mnExit");
    mnEdit_ = menuBar()->addMenu(QString());
    mnUndo_ = action(mnEdit_, "mnUndo");
    mnUndo_->setShortcut(QKeySequence::Undo);
    mnRedo_ = action(mnEdit_, "mnRedo");
    // Ctrl+Y as on the spreadsheets of the workshop, and the desktop's own keys.
    QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(keys)) redoKeys << keys;
    mnRedo_->setShortcuts(redoKeys);
    mnProject_ = menuBar()->addMenu(QString());
    mniNew_ = action(mnProject_, "mniNew");
    mniNew_->setShortcut(QKeySequence::New);
    mniOpen_ = action(mnProject_, "mniOpen");
    mniOpen_->setShortcut(QKeySequence::Open);
    mniSave_ = action(mnProject_, "mniSave");
    mniSave_->setShortcut(QKeySequence::Save);
    mniSaveAs_ = action(mnProject_, "mniSaveAs");
    mnProject_->addSeparator();
    mnCalc_ = action(mnProject_, "mnCalc");
    mnHelpMenu_ = menuBar()->addMenu(QString());
    mnHelp_ = action(mnHelpMenu_, "mnHelp");
    mnHelpMenu_->addSeparator();
    mniLatest_ = action(mnHelpMenu_, "mniLatest");
    mnHelpMenu_->addSeparator();
    mnAbout_ = action(mnHelpMenu_, "mnAbout");
}

void MainWindow::ConnectProject() {
    project_ = new ProjectCommands(
        {{*this, dialogs_, *messages_, sheetModel_, partModel_, *history_, *changes_},
         *fileCommands_,
         *calc_,
         [this] { return Settings(); },
         [this](const SettingsForm& f) { ShowSettings(f); },
         [this] { pgcpg1_->setCurrentIndex(kLayoutsPage); }},
        this);
    connect(mniNew_, &QAction::triggered, project_, &ProjectCommands::New);
    connect(mniOpen_, &QAction::triggered, project_, &ProjectCommands::Open);
    connect(mniSave_, &QAction::triggered, project_, &ProjectCommands::Save);
    connect(mniSaveAs_, &QAction::triggered, project_, &ProjectCommands::SaveAs);
    connect(project_, &ProjectCommands::pathChanged, this, &MainWindow::UpdateTitle);
    connect(changes_, &ChangeTracker::changedTurned, this, &MainWindow::UpdateTitle);
    connect(setsPage_, &SetsPage::changed, changes_, &ChangeTracker::Check);
    connect(setsPage_, &SetsPage::changed, this, &MainWindow::FollowUnit);
    connect(setsPage_, &SetsPage::changed, this, &MainWindow::FollowBandings);
    // A plan is outdated once the tables or settings it was made from change.
    connect(setsPage_, &SetsPage::changed, this, &MainWindow::ShowPlanStatus);
    for (const CellTableModel* model : {&sheetModel_, &partModel_}) {
        connect(model, &QAbstractItemModel::dataChanged, this, &MainWindow::ShowPlanStatus);
        connect(model, &QAbstractItemModel::modelReset, this, &MainWindow::ShowPlanStatus);
    }
}

void MainWindow::KeepRecoveryCopy() {
    recovery_ = new RecoveryKeeper(
        files_.recoveryDir, files_.recoveryDelay, [this] { return UnsavedWork(); }, this);
    for (const CellTableModel* model : {&sheetModel_, &partModel_}) {
        connect(model, &QAbstractItemModel::dataChanged, recovery_, &RecoveryKeeper::Changed);
        connect(model, &QAbstractItemModel::modelReset, recovery_, &RecoveryKeeper::Changed);
    }
    connect(setsPage_, &SetsPage::changed, recovery_, &RecoveryKeeper::Changed);
    connect(changes_, &ChangeTracker::changedTurned, recovery_, [this](bool anyChanged) {
        if (!anyChanged) recovery_->Discard();
    });
}

std::optional<RecoveryCopy> MainWindow::UnsavedWork() const {
    if (!changes_->EntriesChanged()) return std::nullopt;
    return RecoveryCopy{project_->ProjectPath(), fileCommands_->Names(), Settings(),
                        sheetModel_.Table(), partModel_.Table()};
}

void MainWindow::OfferRecovery() {
    for (const std::filesystem::path& left : recovery_->LeftBehind()) {
        RecoveryCopy copy;
        std::string error;
        if (!ReadRecoveryCopy(left.string(), copy, error)) {
            messages_->Error(error);
            RecoveryKeeper::Remove(left);
            continue;
        }
        const std::string project =
            copy.projectPath.empty() ? _("untitled")
                                     : std::filesystem::path(copy.projectPath).filename().string();
        const QString written =
            QFileInfo(Q(left.string())).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const std::string question = Substitute(
            _("The program ended without saving the changes to \"{1}\" (kept at {2}). Restore "
              "them?"),
            {project, S(written)});
        if (!dialogs_.AskYesNo(this, windowTitle(), Q(question))) {
            RecoveryKeeper::Remove(left);
            continue;
        }
        project_->Restore(copy);
        // The work is this window's now: its own copy replaces the one left behind.
        RecoveryKeeper::Remove(left);
        recovery_->Keep();
        return;
    }
}

void MainWindow::UpdateTitle() {
    const std::string& path = project_->ProjectPath();
    QString title = path.empty() ? BaseCaption() : Q(ProjectCaption(path, S(BaseCaption())));
    if (changes_->AnyChanged()) title.prepend(QLatin1Char('*'));
    setWindowTitle(title);
}

const std::string& MainWindow::ProjectPath() const {
    return project_->ProjectPath();
}

bool MainWindow::HasUnsavedChanges() const {
    return changes_->AnyChanged();
}

void MainWindow::ConnectPages() {
    changes_ = new ChangeTracker(
        sheetModel_, partModel_, [this] { return Settings(); }, this);
    fileCommands_ = new FileCommands(
        {{*this, dialogs_, *messages_, sheetModel_, partModel_, *history_, *changes_},
         *sheetsPage_,
         *partsPage_},
        this);
    for (TablePage* page : {sheetsPage_, partsPage_}) {
        const TableKind kind = page == sheetsPage_ ? TableKind::Sheet : TableKind::Part;
        connect(page, &TablePage::openClicked, this, [this, kind] { fileCommands_->Open(kind); });
        connect(page, &TablePage::saveClicked, this, [this, kind] { fileCommands_->Save(kind); });
    }
    connect(sheetsPage_, &TablePage::saveLeftClicked, fileCommands_, &FileCommands::SaveLeft);
    for (TablePage* page : {sheetsPage_, partsPage_})
        connect(page, &TablePage::refused, this,
                [this](const QString& message) { messages_->Error(S(message)); });
    QUndoStack& steps = history_->Stack();
    connect(mnUndo_, &QAction::triggered, &steps, &QUndoStack::undo);
    connect(mnRedo_, &QAction::triggered, &steps, &QUndoStack::redo);
    connect(&steps, &QUndoStack::canUndoChanged, mnUndo_, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, mnRedo_, &QAction::setEnabled);
    mnUndo_->setEnabled(false);
    mnRedo_->setEnabled(false);

    calc_ = new CalcCommand({*messages_, sheetModel_, partModel_, layoutsPage_->Progress(),
                             [this] { return Settings(); },
                             [this](EntryTable table) {
                                 const bool sheets = table == EntryTable::Sheets;
                                 pgcpg1_->setCurrentIndex(sheets ? kSheetsPage : kPartsPage);
                                 (sheets ? sheetsPage_ : partsPage_)->View().setFocus();
                             }},
                            this);
    connect(layoutsPage_, &LayoutsPage::calcClicked, calc_, &CalcCommand::Start);
    connect(mnCalc_, &QAction::triggered, calc_, &CalcCommand::Start);
    connect(layoutsPage_, &LayoutsPage::stopClicked, calc_, &CalcCommand::Stop);
    connect(calc_, &CalcCommand::runningChanged, this, &MainWindow::SetRunning);
    connect(calc_, &CalcCommand::resultApplied, this, &MainWindow::ShowResult);
    connect(calc_, &CalcCommand::calculated, changes_, &ChangeTracker::MarkPlanCalculated);

    outputs_ = new OutputCommands(
        {*this, dialogs_, *messages_, *calc_, *layoutsPage_, printer_,
         [this] { return Settings(); },
         // What the tables and settings were read from: an export must not replace it.
         [this] {
             const ListFileNames& names = fileCommands_->Names();
             return std::vector<std::string>{names.SheetFileName, names.PartFileName,
                                             project_->ProjectPath()};
         }},
        this);
    const auto exportOf = [this](LayoutExportKind kind) {
        return [this, kind] { outputs_->Export(kind); };
    };
    connect(layoutsPage_, &LayoutsPage::exportHtmlClicked, this, exportOf(LayoutExportKind::Html));
    connect(layoutsPage_, &LayoutsPage::exportDxfClicked, this, exportOf(LayoutExportKind::Dxf));
    connect(layoutsPage_, &LayoutsPage::exportGcodeClicked, this,
            exportOf(LayoutExportKind::Gcode));
    connect(layoutsPage_, &LayoutsPage::exportOffcutsClicked, this,
            exportOf(LayoutExportKind::Offcuts));
    connect(layoutsPage_, &LayoutsPage::exportSvgClicked, this, exportOf(LayoutExportKind::Svg));
    connect(layoutsPage_, &LayoutsPage::exportPdfClicked, outputs_, &OutputCommands::ExportPdf);
    connect(layoutsPage_, &LayoutsPage::exportLabelsClicked, outputs_,
            &OutputCommands::ExportLabels);
    connect(layoutsPage_, &LayoutsPage::printClicked, outputs_, &OutputCommands::PrintCurrent);
    connect(layoutsPage_, &LayoutsPage::printAllClicked, outputs_, &OutputCommands::PrintAll);
    connect(reportPage_, &ReportPage::saveClicked, outputs_, &OutputCommands::SaveReport);
    connect(reportPage_, &ReportPage::printClicked, outputs_, &OutputCommands::PrintReport);

    // The picture reads the view options and colours at every drawing.
    layoutsPage_->SetDrawOptions([this] { return DrawOptionsOf(OutputChoicesOf(Settings())); });
    for (ColorCombo* box : setsPage_->ColorBoxes())
        connect(box, &QComboBox::currentIndexChanged, layoutsPage_, &LayoutsPage::Redraw);

    connect(pgcpg1_, &QTabWidget::currentChanged, this, &MainWindow::pgcpg1Change);
    connect(&setsPage_->Languages(), &QComboBox::activated, this, &MainWindow::cbbLangChange);
    connect(mnPrintSetup_, &QAction::triggered, this, &MainWindow::mnPrintSetupClick);
    connect(mnExit_, &QAction::triggered, this, &QWidget::close);
    connect(mnHelp_, &QAction::triggered, this, &MainWindow::mnHelpClick);
    connect(mniLatest_, &QAction::triggered, this, &MainWindow::mniLatestClick);
    connect(mnAbout_, &QAction::triggered, this, &MainWindow::mnAboutClick);
}

QString MainWindow::BaseCaption() const {
    return Q(_(kApplicationTitle));
}

void MainWindow::ApplyLanguage() {
    SetLanguage(languageCode_);
    qtTexts_.Use(CurrentLanguage());
    Retranslate();
    TranslateColors();
    TranslateTables();
    if (calc_) {
        calc_->RewriteReport();
        reportPage_->ShowLines(calc_->ReportLines());
    }
}

void MainWindow::Retranslate() {
    if (project_) UpdateTitle();
    mnFile_->setTitle(Q(_("File(&F)")));
    mnPrintSetup_->setText(Q(_("Print Sets(&R)...")));
    mnExit_->setText(Q(_("Exit(&X)")));
    mnEdit_->setTitle(Q(_("Edit(&E)")));
    mnUndo_->setText(Q(_("Undo(&U)")));
    mnRedo_->setText(Q(_("Redo(&R)")));
    mnProject_->setTitle(Q(_("Project(&P)")));
    mniNew_->setText(Q(_("New Project(&N)")));
    mniOpen_->setText(Q(_("Open Project(&O)...")));
    mniSave_->setText(Q(_("Save Project(&S)...")));
    mniSaveAs_->setText(Q(_("Save Project As(&A)...")));
    mnCalc_->setText(Q(_("Start Calc(&C)")));
    mnHelpMenu_->setTitle(Q(_("Help(&H)")));
    mnHelp_->setText(Q(_("Content(&C)...")));
    mniLatest_->setText(Q(_("Latest Version(&V)...")));
    mnAbout_->setText(Q(_("About(&A)...")));
    pgcpg1_->setTabText(kSheetsPage, Q(_("Sheets")));
    pgcpg1_->setTabText(kPartsPage, Q(_("Parts")));
    pgcpg1_->setTabText(kLayoutsPage, Q(_("Layouts")));
    pgcpg1_->setTabText(kReportPage, Q(_("Report")));
    pgcpg1_->setTabText(kSetsPage, Q(_("Sets")));
    sheetsPage_->Retranslate();
    partsPage_->Retranslate();
    layoutsPage_->Retranslate();
    reportPage_->Retranslate();
    setsPage_->Retranslate();
    if (calc_) ShowPlanStatus();
}

void MainWindow::TranslateTables() {
    QStringList yesNo;
    for (const std::string& text : YesNoChoices()) yesNo << Q(text);
    sheetsPage_->View().Delegate().SetYesNo(yesNo);
    partsPage_->View().Delegate().SetYesNo(yesNo);
    QStringList grains;
    for (const std::string& text : GrainChoices()) grains << Q(text);
    sheetsPage_->View().Delegate().SetGrains(grains);
    sheetModel_.Edit([](CellTable& t) {
        WriteFixedRows(t, TableKind::Sheet);
        TranslateYesNoCells(t, TableKind::Sheet);
    });
    partModel_.Edit([](CellTable& t) {
        WriteFixedRows(t, TableKind::Part);
        TranslateYesNoCells(t, TableKind::Part);
    });
}

void MainWindow::cbbLangChange(int index) {
    if (index < 0 || index >= static_cast<int>(languageList_.size())) return;
    languageCode_ = languageList_[index];
    ApplyLanguage();
    SaveLanguage(files_.settingsFile, languageCode_, files_.settingsSeed);
}

void MainWindow::TranslateColors() {
    std::vector<NamedColor> colors;
    for (int i = 0; i < kColorListSize; ++i)
        colors.push_back({Q(_(ListColorName(i))), ListColor(i)});
    for (ColorCombo* box : setsPage_->ColorBoxes()) box->SetColors(colors);
}

void MainWindow::SetRunning(bool running) {
    for (QWidget* input : std::initializer_list<QWidget*>{sheetsPage_, partsPage_, setsPage_})
        input->setEnabled(!running);
    for (QAction* command : {mnCalc_, mniNew_, mniOpen_, mniSave_, mniSaveAs_})
        command->setEnabled(!running);
    mnUndo_->setEnabled(!running && history_->Stack().canUndo());
    mnRedo_->setEnabled(!running && history_->Stack().canRedo());
    layoutsPage_->SetRunning(running);
}

void MainWindow::ShowResult() {
    layoutsPage_->ShowResult(calc_->Calc().AppliedShared());
    reportPage_->ShowLines(calc_->ReportLines());
    ShowPlanStatus();
}

void MainWindow::ShowPlanStatus() {
    const AppliedResult* plan = calc_->Calc().Applied();
    if (!plan) {
        lblPlanStatus_->clear();
        return;
    }
    std::string text = Substitute(_("Plan of seed {1}"), {std::to_string(plan->seed)});
    if (calc_->Outdated(sheetModel_.Table(), partModel_.Table(), Settings()))
        text += "   " + _("Outdated: the tables or settings have changed since this plan was "
                          "made. Calculate again for a plan of them.");
    lblPlanStatus_->setText(Q(text));
}

SettingsForm MainWindow::Settings() const {
    SettingsForm form;
    setsPage_->ReadInto(form);
    layoutsPage_->ReadViewOptions(form);
    return form;
}

void MainWindow::ShowSettings(const SettingsForm& form) {
    setsPage_->Show(form);
    layoutsPage_->ShowViewOptions(form);
    FollowUnit();
    FollowBandings();
}

void MainWindow::FollowBandings() {
    QStringList names;
    for (const BandingTexts& row : Settings().banding.rows)
        if (const QString name = Q(row.name).trimmed(); !name.isEmpty()) names << name;
    partsPage_->View().Delegate().SetBandingNames(names);
}

void MainWindow::FollowUnit() {
    const LengthFormat lengths = LengthFormatOf(Settings().unit);
    sheetModel_.SetLengths(lengths);
    partModel_.SetLengths(lengths);
}

void MainWindow::pgcpg1Change(int index) {
    if (QWidget* page = pgcpg1_->widget(index)) page->setFocus();
}

void MainWindow::mnPrintSetupClick() {
    dialogs_.SetUpPage(this, printer_);
}

void MainWindow::mnHelpClick() {
    OpenHelp(
        CurrentLanguage(),
        [this](const QUrl& file, const std::function<void()>& failed) {
            dialogs_.OpenDocument(file, failed);
        },
        // The viewer may fail after the window has gone.
        [window = QPointer<MainWindow>(this)](const std::string& message) {
            if (window) window->messages_->Error(message);
        });
}

void MainWindow::mniLatestClick() {
    OpenDownloadPage([this](const QUrl& url) { return dialogs_.OpenUrl(url); });
}

void MainWindow::tmr1Timer() {
    const QUrl page = UpdatePageUrl(ReadUpdateUrl(files_.settingsFile, files_.settingsSeed));
    StartUpdateCheck(this, page, Q(UpdatesFilePath().string()));
}

void MainWindow::OpenProject(const QString& path) {
    project_->OpenFile(path);
}

void MainWindow::mnAboutClick() {
    AboutDialog about([this](const QUrl& url) { dialogs_.OpenUrl(url); }, this);
    dialogs_.Run(about);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A search still running ends with its best plan so far, which is a change
    // to ask about as any other.
    if (calc_->Running()) calc_->StopAndApply();
    if (!project_->MayDiscardChanges()) {
        event->ignore();
        return;
    }
    // A calculation still running ends after its current generation.
    calc_->StopAndWait();
    // Saved or discarded at the user's word: nothing is left to recover.
    recovery_->Discard();
    event->accept();
}

}  // namespace tarvex
