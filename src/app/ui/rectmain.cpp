#include "app/ui/rectmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QUrl>

#include "app/ui/CalcRunner.h"
#include "app/ui/Dialogs.h"
#include "app/ui/LayoutsPage.h"
#include "app/ui/ReportPage.h"
#include "app/ui/SetsPage.h"
#include "app/ui/TablePage.h"
#include "app/ui/UiText.h"
#include "shell/Translate.h"
#include "shell/ui/Logo.h"
#include "shell/ui/about.h"

TfrmMain::TfrmMain(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), runner_(new CalcRunner(this)) {
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
    connect(pgcpg1_, &QTabWidget::currentChanged, this, &TfrmMain::pgcpg1Change);

    BuildMenu();
    Retranslate();
    baseCaption_ = windowTitle();

    resize(800, 600);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BuildMenu() {
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

    connect(mnPrintSetup_, &QAction::triggered, this, &TfrmMain::mnPrintSetupClick);
    connect(mnExit_, &QAction::triggered, this, &QWidget::close);
    connect(mnAbout_, &QAction::triggered, this, &TfrmMain::mnAboutClick);
}

void TfrmMain::Retranslate() {
    setWindowTitle(Q(_("Tarvex sheet cutting system")));
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

SettingsForm TfrmMain::Settings() const {
    SettingsForm form;
    setsPage_->ReadInto(form);
    layoutsPage_->ReadViewOptions(form);
    return form;
}

void TfrmMain::ShowSettings(const SettingsForm& form) {
    setsPage_->Show(form);
    layoutsPage_->ShowViewOptions(form);
}

void TfrmMain::pgcpg1Change(int index) {
    if (QWidget* page = pgcpg1_->widget(index)) page->setFocus();
}

void TfrmMain::mnPrintSetupClick() {
    dialogs_.SetUpPage(this, printer_);
}

void TfrmMain::mnAboutClick() {
    TfrmAbout about([this](const QUrl& url) { dialogs_.OpenUrl(url); }, this);
    dialogs_.Run(about);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // A calculation still running ends after its current generation.
    runner_->StopAndWait();
    event->accept();
}
