#include "exchange/ui/CompareRecordsModel.h"

#include <QColor>
#include <algorithm>

#include "core/table/RecordTable.h"
#include "exchange/TableDiff.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// The grid leaves Index out: grid column c shows table column c + 1.
constexpr int kFirstField = 1;

const QColor kChangedCell(255, 224, 130);

}  // namespace

CompareRecordsModel::CompareRecordsModel(QObject* parent) : QAbstractTableModel(parent) {}

void CompareRecordsModel::ShowRecords(const RecordTable& table, const std::vector<int>& rows) {
    beginResetModel();
    table_ = &table;
    older_ = nullptr;
    rows_ = &rows;
    changed_ = nullptr;
    endResetModel();
}

void CompareRecordsModel::ShowChanges(const RecordTable& older, const RecordTable& newer,
                                      const std::vector<ChangedRecord>& changed) {
    beginResetModel();
    table_ = &newer;
    older_ = &older;
    rows_ = nullptr;
    changed_ = &changed;
    endResetModel();
}

void CompareRecordsModel::Clear() {
    beginResetModel();
    table_ = nullptr;
    older_ = nullptr;
    rows_ = nullptr;
    changed_ = nullptr;
    endResetModel();
}

int CompareRecordsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    if (rows_ != nullptr) {
        return static_cast<int>(rows_->size());
    }
    return changed_ != nullptr ? static_cast<int>(changed_->size()) : 0;
}

int CompareRecordsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || table_ == nullptr ? 0 : table_->FieldCount() - kFirstField;
}

int CompareRecordsModel::TableRow(int row) const {
    const auto at = static_cast<size_t>(row);
    return rows_ != nullptr ? (*rows_)[at] : (*changed_)[at].NewRow;
}

bool CompareRecordsModel::IsChanged(int row, int column) const {
    if (changed_ == nullptr) {
        return false;
    }
    const std::vector<int>& columns = (*changed_)[static_cast<size_t>(row)].Columns;
    return std::binary_search(columns.begin(), columns.end(), column);
}

QVariant CompareRecordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || table_ == nullptr) {
        return {};
    }
    const int column = index.column() + kFirstField;
    const int row = TableRow(index.row());
    const bool changed = IsChanged(index.row(), column);
    const auto olderText = [&] {
        return ToQt(
            older_->DisplayText((*changed_)[static_cast<size_t>(index.row())].OldRow, column));
    };
    switch (role) {
        case Qt::DisplayRole: {
            const QString text = ToQt(table_->DisplayText(row, column));
            return changed ? olderText() + QStringLiteral(" \u2192 ") + text : text;
        }
        case Qt::ToolTipRole:
            if (changed) {
                return QStringLiteral("Old: ") + olderText() + QStringLiteral("\nNew: ") +
                       ToQt(table_->DisplayText(row, column));
            }
            return {};
        case Qt::BackgroundRole:
            return changed ? QVariant(kChangedCell) : QVariant();
        default:
            return {};
    }
}

QVariant CompareRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || table_ == nullptr) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return ToQt(table_->ColumnName(section + kFirstField));
}

}  // namespace kelvane
