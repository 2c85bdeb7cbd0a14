#include "gui/CellTableModel.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "gui/UiText.h"

namespace tarvex {

CellTableModel::CellTableModel(TableKind kind, QObject* parent)
    : QAbstractTableModel(parent),
      kind_(kind),
      table_(kind == TableKind::Sheet ? NewSheetTable() : NewPartTable()) {}

void CellTableModel::Edit(const std::function<void(CellTable&)>& change) {
    // Changes that keep the table's shape (totals, Left Quant, captions) only
    // repaint, so the views keep their current cell and scroll position.
    CellTable changed = table_;
    change(changed);
    if (changed.RowCount() == table_.RowCount() && changed.ColCount() == table_.ColCount()) {
        table_ = std::move(changed);
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        if (columnCount() > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return;
    }
    beginResetModel();
    table_ = std::move(changed);
    endResetModel();
}

CellEditing CellTableModel::Editing(int col) const {
    const auto& columns = TableColumns(kind_);
    return col >= 0 && col < static_cast<int>(columns.size()) ? columns[col].editing
                                                              : CellEditing::None;
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, table_.RowCount() - 1);
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColCount();
}

bool CellTableModel::IsSelectable(const QModelIndex& index) const {
    return IsSelectableCell(kind_, TableRow(index.row()), index.column());
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = TableRow(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return Q(table_.Cell(row, index.column()));
        case Qt::BackgroundRole:
            if (!IsSelectable(index)) return QGuiApplication::palette().brush(QPalette::Button);
            return {};
        case Qt::ForegroundRole:
            // Fixed cells are disabled items; their text keeps the normal colour.
            if (!IsSelectable(index)) return QGuiApplication::palette().brush(QPalette::ButtonText);
            return {};
        case Qt::FontRole:
            if (index.row() == 0) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Q(table_.Cell(1, section));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CellTableModel::flags(const QModelIndex& index) const {
    // Keyboard and mouse pass over items that are not enabled.
    if (!index.isValid() || !IsSelectable(index)) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool CellTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !IsSelectable(index)) return false;
    const int row = TableRow(index.row());
    const std::string text = S(value.toString());
    const std::string before = table_.Cell(row, index.column());
    if (before == text) return true;
    table_.SetCell(row, index.column(), text);
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT cellTyped(row, index.column(), Q(before));
    return true;
}

}  // namespace tarvex
