#pragma once

#include <QStyledItemDelegate>

namespace kelvane {

class RecordTable;

// Draws and edits the grid's cells. Cells are drawn as one plain line of text, much cheaper
// than the general item layout, which keeps scrolling through big tables quick. They are edited
// in place by a line editor that takes only the characters the column allows, hands on only
// text the user changed (an editor holds typed text while its text is modified), and moves on
// to the next cell with Enter as with Tab.
class CellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    CellEditDelegate(const RecordTable& table, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

  signals:
    // The user typed into an editor, or an editor closed: whether the grid holds typed text may
    // have changed.
    void typedTextChanged() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const RecordTable& table_;
};

}  // namespace kelvane
