// The totals of an entry table material by material, as rows of the table's
// columns: none while the table holds one material (or none), so that the window
// then looks as it always has.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace tarvex {

class CellTableModel;

class MaterialTotalsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit MaterialTotalsModel(const CellTableModel& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    void Recount();

    const CellTableModel& table_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace tarvex
