#pragma once

#include <QAbstractTableModel>
#include <vector>

namespace kelvane {

class RecordTable;
struct ChangedRecord;

// Records of a comparison as a grid of their field columns (Index left out), asked for only
// as the view shows them, so a list of a hundred thousand records costs no more than a page.
// Either whole records of one table, or the changed records with the newer values, each
// changed cell marked and reading "old → new". The model owns nothing: the tables and lists
// must outlive it or be replaced by Clear first.
class CompareRecordsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit CompareRecordsModel(QObject* parent);

    void ShowRecords(const RecordTable& table, const std::vector<int>& rows);
    void ShowChanges(const RecordTable& older, const RecordTable& newer,
                     const std::vector<ChangedRecord>& changed);
    void Clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // The table row shown at a grid row, and whether the cell at the table column changed.
    int TableRow(int row) const;
    bool IsChanged(int row, int column) const;

    const RecordTable* table_ = nullptr;
    const RecordTable* older_ = nullptr;
    const std::vector<int>* rows_ = nullptr;
    const std::vector<ChangedRecord>* changed_ = nullptr;
};

}  // namespace kelvane
