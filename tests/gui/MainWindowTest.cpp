#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <map>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/UpdateDialog.h"
#include "io/SettingsForm.h"
#include "shell/LocalHttpServer.h"

using namespace tarvex;

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, HasItsFivePagesInOrderAndFitsTheDefaultSizeInEveryLanguage) {
    const char* english[] = {"Sheets", "Parts", "Layouts", "Report", "Settings"};
    const char* chinese[] = {"板材", "零件", "排版图", "报表", "设置"};
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    for (const char* code : {"en_us", "zh_cn"}) {
        MainWindow& w = Open("[Common]\r\nLanguage=" + std::string(code) + "\r\n");
        EXPECT_EQ(w.size(), QSize(800, 600));
        auto* pages = Find<QTabWidget>("pgcpg1");
        ASSERT_EQ(pages->count(), 5);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(Text(pages->tabText(i)), code[0] == 'e' ? english[i] : chinese[i]);
            pages->setCurrentIndex(i);
            QWidget* page = pages->currentWidget();
            // Every page's controls fit the window at its starting size, without scrolling.
            const QSize need = page->minimumSizeHint();
            EXPECT_LE(need.width(), page->width()) << code << " " << i;
            EXPECT_LE(need.height(), page->height()) << code << " " << i;
            if (!shots.isEmpty())
                w.grab().save(QDir(shots).filePath(QString::fromUtf8(code) + QLatin1Char('-') +
                                                   QString::number(i) + QStringLiteral(".png")));
        }
    }
}

TEST_F(MainWindowTest, MenusHoldTheirCommandsInOrder) {
    MainWindow& w = Open();
    QStringList menus;
    for (QAction* menu : w.menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        menus << menu->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
    }
    EXPECT_EQ(Text(menus.join(QLatin1Char('\n'))),
              "&File: P&rinter Setup...|-|E&xit\n"
              "&Edit: &Undo|&Redo\n"
              "&Project: &New Project|&Open Project...|&Save Project|Save Project &As...|-|"
              "&Calculate\n"
              "&Help: &Contents...|-|Check for a New &Version...|-|&About...");
}

TEST_F(MainWindowTest, AltKeysOfThePagesNeverTakeThoseOfTheMenus) {
    for (const char* code : {"en_us", "zh_cn"}) {
        MainWindow& w = Open("[Common]\r\nLanguage=" + std::string(code) + "\r\n");
        std::map<QKeySequence, QString> menus;
        for (QAction* menu : w.menuBar()->actions())
            menus[QKeySequence::mnemonic(menu->text())] = menu->text();
        auto* pages = Find<QTabWidget>("pgcpg1");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            std::map<QKeySequence, QString> taken;
            for (QAbstractButton* button : pages->widget(i)->findChildren<QAbstractButton*>()) {
                const QKeySequence keys = QKeySequence::mnemonic(button->text());
                if (keys.isEmpty()) continue;
                EXPECT_EQ(menus.count(keys), 0u)
                    << code << " page " << i << ": " << Text(button->text()) << " and the menu "
                    << Text(menus[keys]);
                EXPECT_TRUE(taken.emplace(keys, button->text()).second)
                    << code << " page " << i << ": " << Text(button->text()) << " and "
                    << Text(taken[keys]);
            }
        }
    }

    // On the Layouts page Alt+P opens the Project menu.
    Open();
    Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kLayoutsPage);
    QCoreApplication::processEvents();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
    QMenu* project = nullptr;
    for (QAction* menu : window->menuBar()->actions())
        if (menu->menu()->title() == QStringLiteral("&Project")) project = menu->menu();
    ASSERT_NE(project, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return project->isVisible(); }, 2000));
    project->close();
}

TEST_F(MainWindowTest, PrintSetupAboutAndHelpGoThroughTheDesktop) {
    Open();
    Find<QAction>("mnPrintSetup")->trigger();
    EXPECT_EQ(dialogs.pageSetups, 1);
    QStringList texts;
    dialogs.onDialog = [&](QDialog& about) {
        for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
        // The home page opens in the desktop's browser.
        auto* home = about.findChild<QLabel*>(QStringLiteral("lblWeb"));
        Q_EMIT home->linkActivated(QStringLiteral(TARVEX_HOMEPAGE));
    };
    Find<QAction>("mnAbout")->trigger();
    EXPECT_EQ(dialogs.dialogsRun, 1);
    // The version, licence and home page the program was built with; nothing else
    // that would have to be made up.
    const std::string shown = Text(texts.join(QLatin1Char('|')));
    EXPECT_NE(shown.find("Version " TARVEX_VERSION), std::string::npos) << shown;
    EXPECT_NE(shown.find("Licence: " TARVEX_LICENSE), std::string::npos) << shown;
    EXPECT_NE(shown.find(TARVEX_HOMEPAGE), std::string::npos) << shown;
    EXPECT_EQ(shown.find('@'), std::string::npos) << shown;
    EXPECT_EQ(shown.find("555"), std::string::npos) << shown;
    ASSERT_EQ(dialogs.urls.size(), 1u);
    EXPECT_EQ(Text(dialogs.urls[0].toString()), TARVEX_HOMEPAGE);

    Find<QAction>("mnHelp")->trigger();
    ASSERT_EQ(dialogs.urls.size(), 2u);
    EXPECT_TRUE(dialogs.urls[1].isLocalFile());
    EXPECT_NE(Text(dialogs.urls[1].toLocalFile()).find("en_us/LC_MESSAGES/velkor"),
              std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    Find<QAction>("mniLatest")->trigger();
    ASSERT_EQ(dialogs.urls.size(), 3u);
    EXPECT_EQ(Text(dialogs.urls[2].path()), "/index.php/download");
}

TEST_F(MainWindowTest, ChecksForUpdatesOnceFifteenSecondsAfterTheStart) {
    Open();
    auto* timer = Find<QTimer>("tmr1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 15000);
}

TEST_F(MainWindowTest, FontButtonShowsTheChosenFontAndRefusesABadSize) {
    Open();
    auto* name = Find<QLineEdit>("edtFontName");
    auto* size = Find<QLineEdit>("edtFontSize");
    auto* button = Find<QPushButton>("btn1");
    EXPECT_TRUE(name->isReadOnly());
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(14);
    dialogs.fontAnswer = chosen;
    button->click();
    ASSERT_TRUE(dialogs.fontAsked.has_value());
    EXPECT_EQ(dialogs.fontAsked->pointSize(), 10);
    EXPECT_EQ(Text(name->text()), "DejaVu Sans");
    EXPECT_EQ(Text(size->text()), "14");

    dialogs.fontAnswer.reset();  // cancelled: nothing changes
    button->click();
    EXPECT_EQ(Text(size->text()), "14");

    size->setText(QStringLiteral("12.5"));
    dialogs.fontAsked.reset();
    button->click();
    EXPECT_FALSE(dialogs.fontAsked.has_value());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(Text(dialogs.messages[0].caption), "Tarvex sheet cutting system");
    EXPECT_NE(Text(dialogs.messages[0].text).find("12.5"), std::string::npos);
}

TEST_F(MainWindowTest, TheUpdateCheckShowsNewerNotesInTheCurrentLanguage) {
    qputenv("no_proxy", "127.0.0.1,localhost");
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "3.3.0 (2016-01-20)\r\nnotes");
    Open("[Common]\r\nLanguage=zh_cn\r\nUpdateUrl=" + server.PageUrl().toString().toStdString() +
         "\r\n");
    Find<QTimer>("tmr1")->start(0);  // no need to wait the fifteen seconds here
    ASSERT_TRUE(WaitUntil([&] { return window->findChild<UpdateDialog*>() != nullptr; }));
    auto* updates = window->findChild<UpdateDialog*>();
    EXPECT_EQ(Text(updates->btnOk->text()), "关闭(&C)");
    EXPECT_EQ(Text(updates->mmoUpdates->toPlainText()), "3.3.0 (2016-01-20)\nnotes");
    updates->btnOk->click();
}

TEST_F(MainWindowTest, EveryStartShowsTheDefaultSettings) {
    Open();
    SettingsForm changed = window->Settings();
    changed.bladeWidth = "3.2";
    changed.sheetColor = 11;
    changed.huazhong = false;
    changed.showLabels = false;
    changed.bestSearch = true;
    changed.timeLimit = "2.5";
    window->ShowSettings(changed);
    EXPECT_EQ(window->Settings().bladeWidth, "3.2");
    EXPECT_TRUE(window->Settings().bestSearch);
    EXPECT_EQ(window->Settings().timeLimit, "2.5");
    window.reset();

    Open();
    const SettingsForm shown = window->Settings();
    const SettingsForm defaults;
    EXPECT_EQ(shown.speed, defaults.speed);
    EXPECT_EQ(shown.guillotine, defaults.guillotine);
    EXPECT_EQ(shown.costOptimization, defaults.costOptimization);
    EXPECT_EQ(shown.bestSearch, defaults.bestSearch);
    for (auto field :
         {&SettingsForm::unit, &SettingsForm::bladeWidth, &SettingsForm::decimals,
          &SettingsForm::minOffcutLength, &SettingsForm::minOffcutWidth,
          &SettingsForm::minOffcutArea, &SettingsForm::offcutPrefix, &SettingsForm::marginTop,
          &SettingsForm::marginBottom, &SettingsForm::marginLeft, &SettingsForm::marginRight,
          &SettingsForm::printFont, &SettingsForm::printFontSize, &SettingsForm::printTitle,
          &SettingsForm::drillDepth, &SettingsForm::safeHeight, &SettingsForm::timeLimit})
        EXPECT_EQ(shown.*field, defaults.*field);
    for (auto field : {&SettingsForm::edgeColor, &SettingsForm::sheetColor,
                       &SettingsForm::partColor, &SettingsForm::offcutColor})
        EXPECT_EQ(shown.*field, defaults.*field);
    for (auto field :
         {&SettingsForm::huazhong, &SettingsForm::dxfDimensions, &SettingsForm::dxfOffcuts,
          &SettingsForm::showLabels, &SettingsForm::showDimensions, &SettingsForm::showCorners,
          &SettingsForm::showOffcuts})
        EXPECT_EQ(shown.*field, defaults.*field);
    EXPECT_EQ(Text(Find<QComboBox>("clrbxEdge")->currentText()), "Gray");
    EXPECT_EQ(Find<QComboBox>("clrbxEdge")->count(), 50);
}

TEST_F(MainWindowTest, HelpWithoutAManualOrAViewerSaysSo) {
    Open("[Common]\r\nLanguage=xx_yy\r\n");
    Find<QAction>("mnHelp")->trigger();
    EXPECT_TRUE(dialogs.urls.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(Text(dialogs.messages[0].text), "The help file is not exists!");  // no catalog
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);

    window.reset();
    Open();
    dialogs.documentsOpen = false;
    Find<QAction>("mnHelp")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    ASSERT_EQ(dialogs.urls.size(), 1u);
    const std::string manual = Text(dialogs.urls[0].toLocalFile());
    EXPECT_NE(Text(dialogs.messages[1].text).find("\"" + manual + "\""), std::string::npos)
        << Text(dialogs.messages[1].text);
}

TEST_F(MainWindowTest, OutputButtonsWaitForAPlan) {
    Open();
    const char* outputs[] = {"btnPrintCurrent", "btnPrintAll",   "btnExpHtml",    "btnExpDxf",
                             "btnExpOffcut",    "btnExpGcode",   "btnExpSvg",     "btnExpPdf",
                             "btnExpLabels",    "btnReportSave", "btnReportPrint"};
    for (const char* name : outputs) EXPECT_FALSE(Find<QPushButton>(name)->isEnabled()) << name;
    EXPECT_TRUE(Find<QPushButton>("btnCalc")->isEnabled());
}
