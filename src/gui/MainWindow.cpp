#include "gui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>
#include <ctime>

#include "gui/AboutDialog.h"
#include "gui/CalcCommand.h"
#include "gui/CellDelegate.h"
#include "gui/ColorCombo.h"
#include "gui/Dialogs.h"
#include "gui/EntryTableView.h"
#include "gui/FileCommands.h"
#include "gui/LayoutsPage.h"
#include "gui/Logo.h"
#include "gui/Messages.h"
#include "gui/OutputCommands.h"
#include "gui/ReportPage.h"
#include "gui/SetsPage.h"
#include "gui/TablePage.h"
#include "gui/UiText.h"
#include "gui/UpdateDialog.h"
#include "render/ColorList.h"
#include "render/LayoutDrawing.h"
#include "shell/Help.h"
#include "shell/SettingsFile.h"
#include "shell/UpdateConfig.h"
#include "text/AppPaths.h"
#include "text/Languages.h"
#include "text/Translate.h"

WindowFiles WindowFiles::Default() {
    return {SettingsFilePath(), SettingsTemplatePath(), LocaleDir()};
}

MainWindow::MainWindow(Dialogs& dialogs, const WindowFiles& files, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      files_(files),
      messages_(std::make_unique<Messages>(dialogs, *this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(TarvexLogo(64)));

    sheetsPage_ = new TablePage(sheetModel_);
    partsPage_ = new TablePage(partModel_);
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

    BuildMenu();
    ConnectPages();

    languageList_ = ::LanguageList(files_.localeDir);
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
    mnProject_ = menuBar()->addMenu(QString());
    mniOpen_ = action(mnProject_, "mniOpen");
    mniSave_ = action(mnProject_, "mniSave");
    mnProject_->addSeparator();
    mnCalc_ = action(mnProject_, "mnCalc");
    mnHelpMenu_ = menuBar()->addMenu(QString());
    mnHelp_ = action(mnHelpMenu_, "mnHelp");
    mnHelpMenu_->addSeparator();
    mniLatest_ = action(mnHelpMenu_, "mniLatest");
    mnHelpMenu_->addSeparator();
    mnAbout_ = action(mnHelpMenu_, "mnAbout");
}

void MainWindow::ConnectPages() {
    fileCommands_ = new FileCommands(
        {*this, dialogs_, *messages_, sheetModel_, partModel_, *sheetsPage_, *partsPage_,
         [this] { return Settings(); }, [this](const SettingsForm& f) { ShowSettings(f); },
         [this](const std::string& caption) {
             setWindowTitle(Q(caption));
             pgcpg1_->setCurrentIndex(kLayoutsPage);
         },
         [this] { return S(BaseCaption()); }},
        this);
    for (TablePage* page : {sheetsPage_, partsPage_}) {
        const TableKind kind = page == sheetsPage_ ? TableKind::Sheet : TableKind::Part;
        connect(page, &TablePage::openClicked, this, [this, kind] { fileCommands_->Open(kind); });
        connect(page, &TablePage::saveClicked, this, [this, kind] { fileCommands_->Save(kind); });
    }
    connect(sheetsPage_, &TablePage::saveLeftClicked, fileCommands_, &FileCommands::SaveLeft);
    connect(mniOpen_, &QAction::triggered, fileCommands_, &FileCommands::ProjectOpen);
    connect(mniSave_, &QAction::triggered, fileCommands_, &FileCommands::ProjectSave);

    calc_ =
        new CalcCommand({*messages_, sheetModel_, partModel_, layoutsPage_->Progress(),
                         [this] { return Settings(); },
                         [this](int page) {
                             pgcpg1_->setCurrentIndex(page);
                             (page == kSheetsPage ? sheetsPage_ : partsPage_)->View().setFocus();
                         }},
                        this);
    connect(layoutsPage_, &LayoutsPage::calcClicked, calc_, &CalcCommand::Start);
    connect(mnCalc_, &QAction::triggered, calc_, &CalcCommand::Start);
    connect(layoutsPage_, &LayoutsPage::stopClicked, calc_, &CalcCommand::Stop);
    connect(calc_, &CalcCommand::runningChanged, this, &MainWindow::SetRunning);
    connect(calc_, &CalcCommand::resultApplied, this, &MainWindow::ShowResult);

    outputs_ = new OutputCommands(
        {*this, dialogs_, *messages_, *calc_, *layoutsPage_, printer_,
         [this] { return Settings(); }, [this] { return fileCommands_->Inputs(); }},
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
    layoutsPage_->SetDrawOptions([this] { return DrawOptionsOf(Settings()); });
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
    Retranslate();
    TranslateColors();
    TranslateTables();
}

void MainWindow::Retranslate() {
    // Every text goes back to its message id, so a project name leaves the caption.
    setWindowTitle(BaseCaption());
    mnFile_->setTitle(Q(_("File(&F)")));
    mnPrintSetup_->setText(Q(_("Print Sets(&R)...")));
    mnExit_->setText(Q(_("Exit(&X)")));
    mnProject_->setTitle(Q(_("Project(&P)")));
    mniOpen_->setText(Q(_("Open Project(&O)...")));
    mniSave_->setText(Q(_("Save Project(&S)...")));
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
}

void MainWindow::TranslateTables() {
    QStringList yesNo;
    for (const std::string& text : YesNoChoices()) yesNo << Q(text);
    sheetsPage_->View().Delegate().SetYesNo(yesNo);
    partsPage_->View().Delegate().SetYesNo(yesNo);
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
    for (QAction* command : {mnCalc_, mniOpen_, mniSave_}) command->setEnabled(!running);
    layoutsPage_->SetRunning(running);
}

void MainWindow::ShowResult() {
    layoutsPage_->ShowResult(calc_->Calc().AppliedShared());
    reportPage_->ShowLines(calc_->ReportLines());
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
}

void MainWindow::pgcpg1Change(int index) {
    if (QWidget* page = pgcpg1_->widget(index)) page->setFocus();
}

void MainWindow::mnPrintSetupClick() {
    dialogs_.SetUpPage(this, printer_);
}

void MainWindow::mnHelpClick() {
    const std::string failure =
        OpenHelp(CurrentLanguage(), [this](const QUrl& url) { return dialogs_.OpenUrl(url); });
    if (!failure.empty()) messages_->Error(failure);
}

void MainWindow::mniLatestClick() {
    OpenDownloadPage([this](const QUrl& url) { return dialogs_.OpenUrl(url); });
}

void MainWindow::tmr1Timer() {
    const QUrl page = UpdatePageUrl(ReadUpdateUrl(files_.settingsFile, files_.settingsSeed));
    StartUpdateCheck(this, page, Q(UpdatesFilePath().string()));
}

void MainWindow::OpenProject(const QString& path) {
    fileCommands_->OpenProjectFile(path);
}

void MainWindow::mnAboutClick() {
    AboutDialog about([this](const QUrl& url) { dialogs_.OpenUrl(url); }, this);
    dialogs_.Run(about);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A calculation still running ends after its current generation.
    calc_->StopAndWait();
    event->accept();
}
