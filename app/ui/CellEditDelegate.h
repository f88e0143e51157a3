#pragma once

#include <QStyledItemDelegate>

namespace kelvane {

class RecordTable;

// Edits grid cells in place: a line editor that takes only the characters the column allows,
// hands on only text the user changed, and moves on to the next cell with Enter as with Tab.
class CellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    CellEditDelegate(const RecordTable& table, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const RecordTable& table_;
};

}  // namespace kelvane
