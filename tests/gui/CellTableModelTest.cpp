#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "UiWait.h"
#include "gui/CellDelegate.h"
#include "gui/CellTableModel.h"
#include "gui/EntryTableView.h"

using namespace tarvex;

namespace {

void Fill(CellTableModel& model, int rows) {
    model.Edit([rows](CellTable& t) {
        t.Resize(rows, t.ColCount());
        t.SetCell(0, 0, "Total");
        t.SetCell(1, 0, "Label");
        t.SetCell(1, 1, "Length");
        for (int r = 2; r < rows; ++r) t.SetCell(r, 0, "row" + std::to_string(r));
    });
}

// Opens the editor of the current cell; closed editors are gone first.
template <class Editor>
Editor* OpenEditor(EntryTableView& view) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    view.edit(view.currentIndex());
    return view.viewport()->findChild<Editor*>();
}

}  // namespace

TEST(CellTableModel, PassesTheModelTesterThroughEditsAndResets) {
    for (TableKind kind : {TableKind::Sheet, TableKind::Part}) {
        CellTableModel model(kind);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        Fill(model, 6);
        EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("12"), Qt::EditRole));
        Fill(model, 3);
        EXPECT_EQ(model.rowCount(), 2);
    }
}

TEST(CellTableModel, ShowsTheHeaderRowAsColumnCaptionsAndTheTotalsRowFirst) {
    CellTableModel model(TableKind::Sheet);
    Fill(model, 5);
    EXPECT_EQ(model.columnCount(), SheetCol::Count);
    EXPECT_EQ(model.rowCount(), 4);  // totals + three data rows
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(),
              "Length");
    EXPECT_EQ(model.index(0, 0).data().toString().toStdString(), "Total");
    EXPECT_EQ(model.index(1, 0).data().toString().toStdString(), "row2");
    EXPECT_EQ(model.index(3, 0).data().toString().toStdString(), "row4");
    EXPECT_EQ(CellTableModel::ViewRow(CellTableModel::TableRow(3)), 3);
}

TEST(CellTableModel, FixedCellsCanNeitherBeSelectedNorEdited) {
    CellTableModel sheets(TableKind::Sheet);
    Fill(sheets, 4);
    EXPECT_EQ(sheets.flags(sheets.index(0, 2)), Qt::NoItemFlags);  // totals
    EXPECT_EQ(sheets.flags(sheets.index(1, 6)), Qt::NoItemFlags);  // Left Quant
    EXPECT_TRUE(sheets.flags(sheets.index(1, 5)) & Qt::ItemIsEditable);
    EXPECT_FALSE(sheets.setData(sheets.index(1, 6), QStringLiteral("3"), Qt::EditRole));
    EXPECT_FALSE(sheets.setData(sheets.index(0, 0), QStringLiteral("x"), Qt::EditRole));
    EXPECT_EQ(sheets.Table().Cell(0, 0), "Total");

    CellTableModel parts(TableKind::Part);
    Fill(parts, 4);
    EXPECT_TRUE(parts.flags(parts.index(2, 4)) & Qt::ItemIsSelectable);
    EXPECT_TRUE(parts.setData(parts.index(2, 3), QStringLiteral("7"), Qt::EditRole));
    EXPECT_EQ(parts.Table().Cell(3, 3), "7");
}

TEST(EntryTableView, KeyboardNeverReachesLeftQuantOrTheTotals) {
    CellTableModel model(TableKind::Sheet);
    Fill(model, 4);
    EntryTableView view(model);
    view.show();
    // Left Quant stands between Priority and Material: the arrows step over it.
    view.SetCurrentCell(2, SheetCol::Priority);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.CurrentColumn(), SheetCol::Material);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(view.CurrentColumn(), SheetCol::Priority);
    view.SetCurrentCell(2, SheetCol::Grain);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.CurrentColumn(), SheetCol::Grain);
    view.SetCurrentCell(2, 0);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.CurrentTableRow(), 2);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.CurrentTableRow(), 3);
}

TEST(EntryTableView, NumberCellsRefuseAnEntryThatIsNotANumber) {
    CellTableModel model(TableKind::Part);
    Fill(model, 3);
    EntryTableView view(model);
    view.show();
    QStringList refusals;
    QObject::connect(&view.Delegate(), &CellDelegate::entryRefused,
                     [&](const QString& message) { refusals << message; });
    const auto type = [&](int col, const char* keys) {
        view.SetCurrentCell(2, col);
        auto* editor = OpenEditor<QLineEdit>(view);
        EXPECT_NE(editor, nullptr);
        if (!editor) return;
        editor->clear();
        QTest::keyClicks(editor, QString::fromUtf8(keys));
        view.CommitEditing();
        QCoreApplication::processEvents();  // the refusal is sent once the editor closed
    };
    const std::string width = model.Table().Cell(2, 2), quant = model.Table().Cell(2, 3);
    type(1, "12.5");
    EXPECT_EQ(model.Table().Cell(2, 1), "12.5");
    type(2, "-");  // what was typed so far is kept while typing, refused at the end
    EXPECT_EQ(model.Table().Cell(2, 2), width);
    type(3, "4x");
    EXPECT_EQ(model.Table().Cell(2, 3), quant);
    type(0, "Door -1");  // labels take any text
    EXPECT_EQ(model.Table().Cell(2, 0), "Door -1");
    ASSERT_EQ(refusals.size(), 2);
    EXPECT_TRUE(refusals[1].contains(QStringLiteral("\"4x\"")));
}

TEST(EntryTableView, YesNoEditorOffersTheCurrentTextsAndKeepsOtherWording) {
    CellTableModel model(TableKind::Sheet);
    Fill(model, 3);
    model.Edit([](CellTable& t) { t.SetCell(2, 5, "是"); });
    EntryTableView view(model);
    view.Delegate().SetYesNo({QStringLiteral("Yes"), QStringLiteral("No")});
    view.show();
    view.SetCurrentCell(2, 5);
    auto* combo = OpenEditor<QComboBox>(view);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0).toStdString(), "Yes");
    EXPECT_EQ(combo->currentIndex(), -1);
    view.CommitEditing();
    EXPECT_EQ(model.Table().Cell(2, 5), "是");

    combo = OpenEditor<QComboBox>(view);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    view.CommitEditing();
    EXPECT_EQ(model.Table().Cell(2, 5), "No");
}

TEST(EntryTableView, EnterAndCtrlVBecomeSignals) {
    CellTableModel model(TableKind::Part);
    Fill(model, 3);
    EntryTableView view(model);
    view.show();
    int enters = 0, pastes = 0;
    QObject::connect(&view, &EntryTableView::enterPressed, [&] { ++enters; });
    QObject::connect(&view, &EntryTableView::pasteRequested, [&] { ++pastes; });
    view.SetCurrentCell(2, 0);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(pastes, 1);
    // Enter inside an editor commits the text first.
    auto* editor = OpenEditor<QLineEdit>(view);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Shelf"));
    QTest::keyClick(editor, Qt::Key_Enter);
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(model.Table().Cell(2, 0), "Shelf");
}
