// An entry table (sheets or parts) as a Qt model over the core's CellTable. The
// table's header row (row 1) is shown as the view's column header; the totals row
// (row 0) is the first row of the view and, like the "Left Quant" column, can be
// neither selected nor edited. Every cell is a text.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "io/CellTable.h"
#include "io/EntryTables.h"
#include "text/LengthText.h"

namespace tarvex {

class CellTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit CellTableModel(TableKind kind, QObject* parent = nullptr);

    TableKind Kind() const { return kind_; }
    const CellTable& Table() const { return table_; }
    // The unit the size cells are typed, pasted and read from files in: the one
    // the settings page shows.
    const LengthFormat& Lengths() const { return lengths_; }
    void SetLengths(const LengthFormat& lengths) { lengths_ = lengths; }
    // Runs a change on the table and brings the views up to date.
    void Edit(const std::function<void(CellTable&)>& change);

    static int TableRow(int viewRow) { return viewRow == 0 ? 0 : viewRow + 1; }
    static int ViewRow(int tableRow) { return tableRow <= 1 ? 0 : tableRow - 1; }

    // How the data cells of a column are edited.
    CellEditing Editing(int col) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  Q_SIGNALS:
    // The user typed a cell (table row and column) that held `before`.
    void cellTyped(int row, int col, const QString& before);

  private:
    bool IsSelectable(const QModelIndex& index) const;

    TableKind kind_;
    CellTable table_;
    LengthFormat lengths_;
};

}  // namespace tarvex
