// The entry tables driven through the real window: typing, the buttons, Enter and
// pasting from the system clipboard.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <fstream>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/CellTableModel.h"
#include "gui/EntryTableView.h"

using namespace tarvex;

namespace {

class WindowTables : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        sheets = Find<EntryTableView>("sgSheet");
        parts = Find<EntryTableView>("sgPart");
    }

    static std::string Cell(EntryTableView* view, int row, int col) {
        return view->Model().Table().Cell(row, col);
    }
    static int Rows(EntryTableView* view) { return view->Model().Table().RowCount(); }

    // Types into a cell through its editor, as the user does.
    void Type(EntryTableView* view, int row, int col, const char* text) {
        Find<QTabWidget>("pgcpg1")->setCurrentIndex(view == sheets ? 0 : 1);
        view->setFocus();
        view->SetCurrentCell(row, col);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view->edit(view->currentIndex());
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        if (*text)
            QTest::keyClicks(editor, QString::fromUtf8(text));
        else
            QTest::keyClick(editor, Qt::Key_Delete);
        view->CommitEditing();
    }

    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    EntryTableView* sheets = nullptr;
    EntryTableView* parts = nullptr;
};

}  // namespace

TEST_F(WindowTables, StartWithTheirFixedRowsAndDefaultRows) {
    EXPECT_EQ(Rows(sheets), 3);
    EXPECT_EQ(Cell(sheets, 0, 0), "Total");
    EXPECT_EQ(Cell(sheets, 0, 1), "Area");
    EXPECT_EQ(sheets->model()->headerData(6, Qt::Horizontal).toString().toStdString(),
              "Left Quant");
    EXPECT_EQ(Cell(sheets, 2, 5), "Yes");
    EXPECT_EQ(Rows(parts), 4);
    EXPECT_EQ(Cell(parts, 3, 4), "Yes");
    EXPECT_EQ(sheets->rowHeight(1), 20);
    EXPECT_EQ(sheets->columnWidth(0), 199);
    EXPECT_EQ(parts->columnWidth(4), 77);
    EXPECT_EQ(parts->selectionMode(), QAbstractItemView::ContiguousSelection);
}

TEST_F(WindowTables, TypingAppendAndEnterBuildRows) {
    Type(parts, 2, 0, "Door");
    Type(parts, 2, 1, "720");
    Type(parts, 2, 2, "abc");  // not a number: refused
    Type(parts, 2, 3, "2");
    EXPECT_EQ(Cell(parts, 2, 0), "Door");
    EXPECT_EQ(Cell(parts, 2, 2), "");
    Type(parts, 3, 3, "5");
    EXPECT_EQ(Cell(parts, 3, 3), "5");
    Click("btnPartAdd");
    ASSERT_EQ(Rows(parts), 5);
    EXPECT_EQ(Cell(parts, 4, 3), "5");  // the quantity of the row above
    EXPECT_EQ(Cell(parts, 4, 4), "Yes");

    // Enter walks to the right, over Left Quant, then opens a new row after the last one.
    sheets->setFocus();
    sheets->SetCurrentCell(2, 4);
    QTest::keyClick(sheets, Qt::Key_Return);
    EXPECT_EQ(sheets->CurrentColumn(), 5);
    QTest::keyClick(sheets, Qt::Key_Return);
    EXPECT_EQ(sheets->CurrentColumn(), SheetCol::Material);
    QTest::keyClick(sheets, Qt::Key_Return);
    EXPECT_EQ(sheets->CurrentColumn(), SheetCol::Grain);
    QTest::keyClick(sheets, Qt::Key_Return);
    ASSERT_EQ(Rows(sheets), 4);
    EXPECT_EQ(sheets->CurrentTableRow(), 3);
    EXPECT_EQ(sheets->CurrentColumn(), 0);
    EXPECT_EQ(Cell(sheets, 3, 5), "Yes");
    Click("btnStockAdd");
    EXPECT_EQ(Cell(sheets, 4, 4), "0");
}

TEST_F(WindowTables, AnEntryThatIsNotANumberIsRefusedAndTheCellKeepsItsValue) {
    Type(parts, 2, 1, "720");
    Type(parts, 2, 1, "7a2x0");
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
    EXPECT_EQ(Cell(parts, 2, 1), "720");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.messages[0].text.toStdString(),
              "Parts, row 1, column \"Length\": \"7a2x0\" is not a number.");
    Type(sheets, 2, 3, "2.5");  // a quantity is a whole number
    ASSERT_TRUE(WaitUntil([&] { return dialogs.messages.size() == 2; }));
    EXPECT_EQ(Cell(sheets, 2, 3), "");
    Type(parts, 2, 1, "");  // emptying a cell is no mistake
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(parts, 2, 1), "");
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(WindowTables, PasteAddsSpreadsheetRowsWholeOrRefusesThem) {
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Label\tLength\tWidth\tQuant\tRotatable\r\nBase side\t720\t564.5\t4\tNo\r\n"
                       "Back\t800\t400\t1\r\n"));
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Rows(parts), 5);
    EXPECT_EQ(Cell(parts, 2, 0), "Base side");
    EXPECT_EQ(Cell(parts, 2, 2), "564.5");
    EXPECT_EQ(Cell(parts, 2, 4), "No");
    EXPECT_EQ(Cell(parts, 3, 4), "Yes");
    EXPECT_EQ(Cell(parts, 4, 0), "");
    EXPECT_EQ(Cell(parts, 0, 3), "5");  // the totals follow
    EXPECT_TRUE(dialogs.messages.empty());

    // One row copied alone is a paste too; a bad cell refuses the whole paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("Single\t1\t1\t1\r\n"));
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Rows(parts), 6);
    QGuiApplication::clipboard()->setText(QStringLiteral("Ok\t1\t1\t1\nBad\t1\tx\t1\n"));
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Rows(parts), 6);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.toStdString(),
              "Nothing was pasted: Parts, row 5, column \"Width\": \"x\" is not a number.");

    // A single value goes into the current cell, checked as typing is.
    parts->SetCurrentCell(3, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("1200.5\n"));
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(parts, 3, 1), "1200.5");
    EXPECT_EQ(Rows(parts), 6);
}

TEST_F(WindowTables, PasteWhileACellIsTypedTakesOneCellIntoItAndRowsIntoTheTable) {
    const auto openEditor = [&](int row, int col) {
        parts->setFocus();
        parts->SetCurrentCell(row, col);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        parts->edit(parts->currentIndex());
        QLineEdit* editor = parts->viewport()->findChild<QLineEdit*>();
        EXPECT_NE(editor, nullptr);
        return editor;
    };
    // One copied cell goes into the text being typed, without its line end.
    QLineEdit* editor = openEditor(2, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Base "));
    QGuiApplication::clipboard()->setText(QStringLiteral("side\r\n"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text().toStdString(), "Base side");
    parts->CommitEditing();
    EXPECT_EQ(Cell(parts, 2, 0), "Base side");
    EXPECT_EQ(Rows(parts), 4);

    // Copied rows close the editor and become rows of the table.
    editor = openEditor(3, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Top"));
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Shelf\t800\t300\t2\tNo\r\nBack\t700\t500\t1\tYes\r\n"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    for (const QLineEdit* open : parts->viewport()->findChildren<QLineEdit*>())
        EXPECT_FALSE(open->isVisible());  // the editor has closed
    EXPECT_EQ(Cell(parts, 3, 0), "Top");  // what was typed is kept
    ASSERT_GE(Rows(parts), 6);
    EXPECT_EQ(Cell(parts, 4, 0), "Shelf");
    EXPECT_EQ(Cell(parts, 4, 4), "No");
    EXPECT_EQ(Cell(parts, 5, 0), "Back");
    for (int r = 2; r < Rows(parts); ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(Cell(parts, r, c).find_first_of("\t\r\n"), std::string::npos) << r << c;
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTables, EveryTableEditCanBeUndoneAndRedone) {
    auto* undo = Find<QAction>("mnUndo");
    auto* redo = Find<QAction>("mnRedo");
    EXPECT_FALSE(undo->isEnabled());
    const auto snapshot = [&] {
        return std::pair(sheets->Model().Table(), parts->Model().Table());
    };
    std::vector<std::pair<CellTable, CellTable>> states{snapshot()};
    Type(parts, 2, 0, "Door");
    states.push_back(snapshot());
    QGuiApplication::clipboard()->setText(QStringLiteral("A\t10\t20\t2\nB\t5\t5\t1\n"));
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    states.push_back(snapshot());
    Click("btnPartAdd");
    states.push_back(snapshot());
    parts->SetCurrentCell(3, 0);
    Click("btnPartDel");
    states.push_back(snapshot());
    Click("btnStockDelAll");
    states.push_back(snapshot());
    const std::string list = Path("sheets.txt");
    std::ofstream(list, std::ios::binary) << "Birch\t2440\t1220\t3\r\n";
    dialogs.openAnswers = {QString::fromStdString(list)};
    Click("btnStockOpen");
    states.push_back(snapshot());
    for (size_t i = 1; i < states.size(); ++i) ASSERT_FALSE(states[i] == states[i - 1]) << i;

    // Back to the start with the keys and the menu, then forward again.
    for (size_t i = states.size() - 1; i > 0; --i) {
        if (i % 2)
            QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        else
            undo->trigger();
        EXPECT_TRUE(snapshot() == states[i - 1]) << "undo to " << i - 1;
    }
    EXPECT_FALSE(undo->isEnabled());
    for (size_t i = 1; i < states.size(); ++i) {
        if (i % 2)
            QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
        else
            redo->trigger();
        EXPECT_TRUE(snapshot() == states[i]) << "redo to " << i;
    }
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(WindowTables, DeleteUpdatesTheTotalsAndDelAllEmptiesThem) {
    QGuiApplication::clipboard()->setText(QStringLiteral("A\t1200\t600\t2\nB\t500\t400\t1\n"));
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    parts->Model().Edit([](CellTable& t) { WriteTotals(t, TableKind::Part, 1640000, 3, 0); });
    EXPECT_EQ(Cell(parts, 0, 2), "1,640,000.0");
    parts->SetCurrentCell(2, 1);
    Click("btnPartDel");
    EXPECT_EQ(Cell(parts, 2, 0), "B");
    EXPECT_EQ(Cell(parts, 0, 2), "200,000.0");
    EXPECT_EQ(Cell(parts, 0, 3), "1");
    EXPECT_TRUE(parts->hasFocus());
    // Delete on the empty row after B does nothing.
    parts->SetCurrentCell(3, 0);
    Click("btnPartDel");
    EXPECT_EQ(Rows(parts), 4);

    Click("btnPartDelAll");
    EXPECT_EQ(Rows(parts), 3);
    EXPECT_EQ(Cell(parts, 2, 0), "");
    EXPECT_EQ(Cell(parts, 2, 4), "");
    EXPECT_EQ(Cell(parts, 0, 2), "");
    EXPECT_EQ(Cell(parts, 0, 1), "Area");
}

TEST_F(WindowTables, TheTotalsStripFollowsTheColumns) {
    QTableView& strip = sheets->TotalsStrip();
    EXPECT_TRUE(strip.isVisible());
    EXPECT_TRUE(sheets->isRowHidden(0));
    EXPECT_FALSE(strip.isRowHidden(0));
    EXPECT_TRUE(strip.isRowHidden(1));
    sheets->setColumnWidth(2, 150);
    EXPECT_EQ(strip.columnWidth(2), 150);
    Click("btnStockAdd");  // a reset keeps the strip to the totals row
    EXPECT_TRUE(strip.isRowHidden(2));
    EXPECT_FALSE(strip.isRowHidden(0));
}

TEST_F(WindowTables, SizesInFractionsAreTakenOnceTheUnitIsInches) {
    Type(parts, 2, 1, "23 1/4");  // in millimetres no number
    ASSERT_TRUE(WaitUntil([&] { return dialogs.messages.size() == 1; }));
    EXPECT_EQ(Cell(parts, 2, 1), "");
    auto* unit = Find<QComboBox>("cbbUnit");
    unit->setCurrentIndex(unit->findText(QStringLiteral("in 1/16")));
    Type(parts, 2, 0, "Side");
    Type(parts, 2, 1, "23 1/4");
    Type(parts, 2, 2, "11-7/8\"");
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(parts, 2, 1), "23 1/4");
    EXPECT_EQ(Cell(parts, 2, 2), "11-7/8\"");
    QGuiApplication::clipboard()->setText(QStringLiteral("Shelf\t22 3/4\t1/2\t2\tNo\r\n"));
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(parts, 3, 1), "22 3/4");
    EXPECT_EQ(Cell(parts, 0, 2), "22.8");  // the totals read the fractions: 2 x 22 3/4 x 1/2
    Type(parts, 2, 2, "1//4");
    ASSERT_TRUE(WaitUntil([&] { return dialogs.messages.size() == 2; }));
    EXPECT_EQ(dialogs.messages[1].text.toStdString(),
              "Parts, row 1, column \"Width\": \"1//4\" is not a number.");
    EXPECT_EQ(Cell(parts, 2, 2), "11-7/8\"");
}

TEST_F(WindowTables, SeveralMaterialsShowTheirOwnTotalsAndGrainIsChosenFromAList) {
    QTableView& strip = sheets->MaterialTotalsStrip();
    EXPECT_FALSE(strip.isVisible());  // one unnamed material: the window as it always was
    QGuiApplication::clipboard()->setText(
        QStringLiteral("A\t1000\t500\t2\t10\tYes\t\tBirch 18\tacross\n"
                       "B\t2000\t1000\t1\t20\tNo\t\t\u6866\u6728\n"
                       "C\t1000\t1000\t3\t5\tNo\t\tBirch 18 \twidth\n"));
    sheets->setFocus();
    QTest::keyClick(sheets, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(Cell(sheets, 2, SheetCol::Grain), "across");
    EXPECT_EQ(Cell(sheets, 4, SheetCol::Grain), "across");  // as the drop-down words it
    EXPECT_EQ(Cell(sheets, 0, 3), "6");                     // the table's totals stay
    ASSERT_TRUE(strip.isVisible());
    QAbstractItemModel& totals = *strip.model();
    ASSERT_EQ(totals.rowCount(), 2);
    const auto at = [&](int row, int col) {
        return totals.index(row, col).data().toString().toStdString();
    };
    EXPECT_EQ(at(0, 0), "Birch 18");  // in the order the materials first appear
    EXPECT_EQ(at(0, 2), "4,000,000.0");
    EXPECT_EQ(at(0, 3), "5");
    EXPECT_EQ(at(0, 4), "35.0");
    EXPECT_EQ(at(1, 0), "桦木");
    EXPECT_EQ(at(1, 3), "1");
    sheets->setColumnWidth(3, 140);
    EXPECT_EQ(strip.columnWidth(3), 140);

    // Typing a material in follows at once; one material left hides the strip.
    sheets->Model().setData(sheets->Model().index(CellTableModel::ViewRow(3), SheetCol::Material),
                            QStringLiteral("Birch 18"), Qt::EditRole);
    EXPECT_FALSE(strip.isVisible());

    // The Grain cell's editor offers the three directions.
    sheets->setFocus();
    sheets->SetCurrentCell(2, SheetCol::Grain);
    sheets->edit(sheets->currentIndex());
    auto* combo = sheets->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText().toStdString(), "across");
    combo->setCurrentIndex(2);
    sheets->CommitEditing();
    EXPECT_EQ(Cell(sheets, 2, SheetCol::Grain), "no grain");

    // A pasted grain that is no direction refuses the paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("D\t1\t1\t1\t0\tNo\t\tOak\tdiagonal\n"));
    QTest::keyClick(sheets, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.toStdString(),
              "Nothing was pasted: Sheets, row 4, column \"Grain\": \"diagonal\" is not a grain "
              "direction: use length, width or none.");
}
