#include "gui/MaterialTotalsModel.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "gui/CellTableModel.h"
#include "gui/UiText.h"
#include "io/MaterialTotals.h"

namespace tarvex {

MaterialTotalsModel::MaterialTotalsModel(const CellTableModel& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    connect(&table, &QAbstractItemModel::dataChanged, this, &MaterialTotalsModel::Recount);
    connect(&table, &QAbstractItemModel::modelReset, this, &MaterialTotalsModel::Recount);
    Recount();
}

void MaterialTotalsModel::Recount() {
    std::vector<std::vector<std::string>> rows;
    const std::vector<MaterialTotal> totals = TotalsByMaterial(table_.Table(), table_.Kind());
    if (totals.size() > 1)
        for (const MaterialTotal& total : totals)
            rows.push_back(MaterialTotalCells(total, table_.Kind()));
    if (rows.size() == rows_.size() && !rows.empty()) {
        rows_ = std::move(rows);
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int MaterialTotalsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MaterialTotalsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.columnCount();
}

QVariant MaterialTotalsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const std::vector<std::string>& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return index.column() < static_cast<int>(row.size()) ? Q(row[index.column()])
                                                                 : QString();
        // Drawn like the table's totals row above.
        case Qt::BackgroundRole:
            return QGuiApplication::palette().brush(QPalette::Button);
        case Qt::ForegroundRole:
            return QGuiApplication::palette().brush(QPalette::ButtonText);
        case Qt::FontRole: {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        default:
            return {};
    }
}

}  // namespace tarvex
