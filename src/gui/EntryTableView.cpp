#include "gui/EntryTableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "gui/CellDelegate.h"
#include "gui/CellTableModel.h"
#include "gui/MaterialTotalsModel.h"
#include "io/CellTable.h"

namespace tarvex {

namespace {

// Room a cell keeps on either side of its text.
constexpr int kCellPadding = 6;

}  // namespace

EntryTableView::EntryTableView(CellTableModel& model, QWidget* parent)
    : QTableView(parent),
      model_(model),
      totals_(new QTableView),
      materialTotals_(new QTableView),
      materialModel_(new MaterialTotalsModel(model, this)),
      delegate_(new CellDelegate(model, this)) {
    setModel(&model);
    setItemDelegate(delegate_);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    verticalHeader()->setMinimumSectionSize(kTableRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(model.Kind() == TableKind::Part ? QAbstractItemView::ContiguousSelection
                                                     : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    SetDefaultWidths();
    connect(delegate_, &CellDelegate::enterPressed, this, &EntryTableView::enterPressed);
    connect(delegate_, &CellDelegate::pasteRequested, this, &EntryTableView::pasteRequested);

    totals_->setModel(&model);
    materialTotals_->setModel(materialModel_);
    for (QTableView* strip : {totals_.data(), materialTotals_.data()}) {
        strip->horizontalHeader()->hide();
        strip->verticalHeader()->hide();
        strip->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
        strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        strip->setFocusPolicy(Qt::NoFocus);
        strip->setSelectionMode(QAbstractItemView::NoSelection);
        strip->setEditTriggers(QAbstractItemView::NoEditTriggers);
        strip->setWordWrap(false);
        connect(horizontalHeader(), &QHeaderView::sectionResized, strip,
                [strip](int col, int, int width) { strip->setColumnWidth(col, width); });
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, strip->horizontalScrollBar(),
                &QScrollBar::setValue);
    }
    totals_->setFixedHeight(kTableRowHeight + 2 * totals_->frameWidth());
    connect(materialModel_, &QAbstractItemModel::modelReset, this,
            &EntryTableView::FitMaterialTotals);
    connect(materialModel_, &QAbstractItemModel::dataChanged, this, &EntryTableView::WidenToFit);
    FitMaterialTotals();
    connect(&model, &QAbstractItemModel::modelReset, this, &EntryTableView::ShowOnlyTotalsInStrip);
    connect(&model, &QAbstractItemModel::dataChanged, this, &EntryTableView::WidenToFit);
    connect(&model, &QAbstractItemModel::headerDataChanged, this, &EntryTableView::WidenToFit);
    ShowOnlyTotalsInStrip();
    // A reset (every whole-table change) leaves no current cell; keep one in the data.
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        if (!currentIndex().isValid()) SetCurrentCell(CellTable::kFirstDataRow, 0);
    });
}

EntryTableView::~EntryTableView() {
    if (totals_ && !totals_->parent()) delete totals_;
    if (materialTotals_ && !materialTotals_->parent()) delete materialTotals_;
}

void EntryTableView::FitMaterialTotals() {
    const int rows = materialModel_->rowCount();
    materialTotals_->setFixedHeight(rows * kTableRowHeight + 2 * materialTotals_->frameWidth());
    // A strip the page has not placed yet would show as a window of its own.
    materialTotals_->setVisible(rows > 0 && materialTotals_->parentWidget());
    WidenToFit();
}

void EntryTableView::ShowOnlyTotalsInStrip() {
    setRowHidden(0, true);
    for (int r = 0; r < model_.rowCount(); ++r) totals_->setRowHidden(r, r != 0);
    WidenToFit();
}

void EntryTableView::WidenToFit() {
    // A total or a caption cut short would be misread: its column grows to show it whole.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int c = 0; c < model_.columnCount(); ++c) {
        int needed = std::max(
            metrics.horizontalAdvance(model_.index(0, c).data().toString()) + 2 * kCellPadding,
            horizontalHeader()->sectionSizeHint(c));
        for (int r = 0; r < materialModel_->rowCount(); ++r)
            needed = std::max(
                needed, metrics.horizontalAdvance(materialModel_->index(r, c).data().toString()) +
                            2 * kCellPadding);
        if (columnWidth(c) < needed) setColumnWidth(c, needed);
        totals_->setColumnWidth(c, columnWidth(c));
        materialTotals_->setColumnWidth(c, columnWidth(c));
    }
}

void EntryTableView::SetDefaultWidths() {
    const auto& columns = TableColumns(model_.Kind());
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) setColumnWidth(c, columns[c].width);
}

int EntryTableView::CurrentTableRow() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return CellTable::kFirstDataRow;
    return CellTableModel::TableRow(index.row());
}

int EntryTableView::CurrentColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : 0;
}

void EntryTableView::SetCurrentCell(int tableRow, int col) {
    const QModelIndex index = model_.index(CellTableModel::ViewRow(tableRow), col);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
}

void EntryTableView::CommitEditing() {
    if (state() != QAbstractItemView::EditingState) return;
    // The delegate's editors are the viewport's direct child widgets.
    const auto editors = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* editor : editors) {
        if (editor->isHidden()) continue;  // closed, waiting to be deleted
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void EntryTableView::keyPressEvent(QKeyEvent* event) {
    // Ctrl+V pastes whatever other modifiers are held.
    if (event->key() == Qt::Key_V && (event->modifiers() & Qt::ControlModifier)) {
        Q_EMIT pasteRequested();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        Q_EMIT enterPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace tarvex
