#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "ScriptedDialogs.h"
#include "app/ui/rectmain.h"

namespace {

std::string Text(const QString& text) {
    return text.toStdString();
}

}  // namespace

TEST(MainWindow, HasItsFivePagesInOrderAndFitsTheDefaultSize) {
    ScriptedDialogs dialogs;
    TfrmMain window(dialogs);
    window.show();
    EXPECT_EQ(window.size(), QSize(800, 600));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("pgcpg1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 5);
    const char* expected[] = {"Sheets", "Parts", "Layouts", "Report", "Sets"};
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Text(pages->tabText(i)), expected[i]);
        pages->setCurrentIndex(i);
        QWidget* page = pages->currentWidget();
        // Every page's controls fit the window at its starting size, without scrolling.
        const QSize need = page->minimumSizeHint();
        EXPECT_LE(need.width(), page->width()) << expected[i];
        EXPECT_LE(need.height(), page->height()) << expected[i];
        if (!shots.isEmpty())
            window.grab().save(QDir(shots).filePath(QString::number(i) + QStringLiteral(".png")));
    }
}

TEST(MainWindow, MenusHoldTheirCommandsInOrder) {
    ScriptedDialogs dialogs;
    TfrmMain window(dialogs);
    QStringList menus;
    for (QAction* menu : window.menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        menus << menu->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
    }
    EXPECT_EQ(Text(menus.join(QLatin1Char('\n'))),
              "File(&F): Print Sets(&R)...|-|Exit(&X)\n"
              "Project(&P): Open Project(&O)...|Save Project(&S)...|-|Start Calc(&C)\n"
              "Help(&H): Content(&C)...|-|Latest Version(&V)...|-|About(&A)...");
}

TEST(MainWindow, PrintSetupAndAboutGoThroughTheDialogs) {
    ScriptedDialogs dialogs;
    TfrmMain window(dialogs);
    window.findChild<QAction*>(QStringLiteral("mnPrintSetup"))->trigger();
    EXPECT_EQ(dialogs.pageSetups, 1);
    QString version;
    dialogs.onDialog = [&](QDialog& about) {
        version = about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        // The links open the web page and a mail to the maker through the desktop.
        Q_EMIT about.findChild<QLabel*>(QStringLiteral("lblWeb"))
            ->linkActivated(QStringLiteral("https://tarvex.example.org"));
    };
    window.findChild<QAction*>(QStringLiteral("mnAbout"))->trigger();
    EXPECT_EQ(dialogs.dialogsRun, 1);
    EXPECT_EQ(Text(version), "Ver. 3.2.1207");
    ASSERT_EQ(dialogs.urls.size(), 1u);
    EXPECT_EQ(Text(dialogs.urls[0].toString()), "https://tarvex.example.org");
}

TEST(MainWindow, FontButtonShowsTheChosenFontAndRefusesABadSize) {
    ScriptedDialogs dialogs;
    TfrmMain window(dialogs);
    auto* name = window.findChild<QLineEdit*>(QStringLiteral("edtFontName"));
    auto* size = window.findChild<QLineEdit*>(QStringLiteral("edtFontSize"));
    auto* button = window.findChild<QPushButton*>(QStringLiteral("btn1"));
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
    EXPECT_NE(Text(dialogs.messages[0].text).find("12.5"), std::string::npos);
}
