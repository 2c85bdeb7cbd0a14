// Start-up language and the switch of language on the "Sets" page.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "WindowFixture.h"
#include "gui/CellDelegate.h"
#include "gui/EntryTableView.h"
#include "shell/SettingsFile.h"

using namespace tarvex;

namespace {

class Language : public WindowTest {
  protected:
    // Picks a language in the drop-down list as the user does.
    void Choose(const char* code) {
        auto* box = Find<QComboBox>("cbbLang");
        const int index = box->findText(QString::fromUtf8(code));
        ASSERT_GE(index, 0) << code;
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    std::string Header(const char* table, int col) {
        return Text(Find<QTableView>(table)->model()->headerData(col, Qt::Horizontal).toString());
    }
};

}  // namespace

TEST_F(Language, TheStoredLanguageIsUsedAtStartAndSelected) {
    MainWindow& w = Open("[Common]\r\nLanguage=zh_cn\r\n");
    EXPECT_EQ(Text(w.windowTitle()), "Tarvex 板材切割系统");
    EXPECT_EQ(Text(w.BaseCaption()), "Tarvex 板材切割系统");
    EXPECT_EQ(Text(Find<QTabWidget>("pgcpg1")->tabText(0)), "板材");
    EXPECT_EQ(Text(Find<QComboBox>("cbbLang")->currentText()), "zh_cn");
    EXPECT_EQ(Header("sgSheet", 6), "剩余数量");
    EXPECT_EQ(Find<EntryTableView>("sgSheet")->Model().Table().Cell(2, 5), "是");
    const std::vector<std::string> expected{"en_us", "zh_cn"};
    EXPECT_EQ(w.LanguageList(), expected);
}

TEST_F(Language, ALanguageWithoutCatalogSelectsNothing) {
    Open("[Common]\r\nLanguage=xx_yy\r\n");
    EXPECT_EQ(Find<QComboBox>("cbbLang")->currentIndex(), -1);
    EXPECT_EQ(Text(window->windowTitle()), "Tarvex sheet cutting system");
}

TEST_F(Language, SwitchingRetranslatesEverythingAndRemembersTheChoice) {
    MainWindow& w = Open();
    auto* sheets = Find<EntryTableView>("sgSheet");
    sheets->Model().Edit([](CellTable& t) {
        t.SetCell(0, 2, "1,000.0");
        t.SetCell(2, SheetCol::Grain, "across");
    });
    w.setWindowTitle(QStringLiteral("kitchen.dat - ") + w.BaseCaption());

    Choose("zh_cn");
    EXPECT_EQ(Text(w.windowTitle()), "Tarvex 板材切割系统");  // the project name is gone
    EXPECT_EQ(Text(w.BaseCaption()), "Tarvex 板材切割系统");
    EXPECT_EQ(Text(Find<QPushButton>("btnCalc")->text()), "开始计算(&C)");
    EXPECT_EQ(Header("sgSheet", 6), "剩余数量");
    EXPECT_EQ(Header("sgLayout", 1), "使用数量");
    const CellTable& table = sheets->Model().Table();
    EXPECT_EQ(table.Cell(0, 0), "合计");
    EXPECT_EQ(table.Cell(0, 2), "1,000.0");  // totals stay
    EXPECT_EQ(table.Cell(2, 5), "是");       // Yes/No cells follow the language
    EXPECT_EQ(Text(sheets->Delegate().YesNo().join(QLatin1Char('|'))), "是|否");
    EXPECT_EQ(table.Cell(2, SheetCol::Grain), "横向");  // and so do the Grain cells
    EXPECT_EQ(Text(sheets->Delegate().Grains().join(QLatin1Char('|'))), "沿长度|横向|无纹理");
    EXPECT_EQ(Header("sgSheet", SheetCol::Material), "材料");
    EXPECT_EQ(Text(Find<QComboBox>("cbbLang")->currentText()), "zh_cn");
    EXPECT_EQ(w.LanguageCode(), "zh_cn");
    EXPECT_EQ(ReadLanguage(SettingsFile()), "zh_cn");

    Choose("en_us");
    EXPECT_EQ(Text(w.windowTitle()), "Tarvex sheet cutting system");
    EXPECT_EQ(Header("sgPart", 4), "Rotatable");
    EXPECT_EQ(table.Cell(2, 5), "Yes");
    EXPECT_EQ(table.Cell(2, SheetCol::Grain), "across");
    EXPECT_EQ(ReadLanguage(SettingsFile()), "en_us");
}

TEST_F(Language, ASettingsFileWithoutCommonForgetsTheChoice) {
    Open("[Other]\r\nKey=1\r\n");
    Choose("zh_cn");
    EXPECT_EQ(Text(window->windowTitle()), "Tarvex 板材切割系统");
    EXPECT_EQ(ReadLanguage(SettingsFile()), "en_us");
}

TEST_F(Language, TheAboutDialogFollowsTheLanguageChosen) {
    Open();
    Choose("zh_cn");
    QString title, ok;
    dialogs.onDialog = [&](QDialog& about) {
        title = about.windowTitle();
        ok = about.findChild<QPushButton*>(QStringLiteral("btnOk"))->text();
    };
    Find<QAction>("mnAbout")->trigger();
    EXPECT_EQ(Text(title), "关于");
    EXPECT_EQ(Text(ok), "确定");
}

TEST_F(Language, QtsOwnDialogButtonsSpeakTheLanguageToo) {
    Open();
    const auto okText = [] {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        return Text(box.button(QDialogButtonBox::Ok)->text());
    };
    EXPECT_EQ(okText(), "OK");
    Choose("zh_cn");
    EXPECT_EQ(okText(), "确定");
    Choose("en_us");
    EXPECT_EQ(okText(), "OK");
}
