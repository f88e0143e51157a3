#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kelvane {

class RecordTable;

// Edit > Go to: which column to look in (Index, or the key column) and the value to find.
class GoToRecordDialog : public QDialog {
    Q_OBJECT

  public:
    explicit GoToRecordDialog(QWidget* parent = nullptr);

    // Offers the table's Index and key columns by their captions; the value is selected, so
    // typing replaces it.
    void Prepare(const RecordTable& table);
    int Column() const;
    QString Value() const;

  private:
    QComboBox* columns_ = nullptr;
    QLineEdit* value_ = nullptr;
};

}  // namespace kelvane
