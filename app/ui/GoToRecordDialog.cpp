#include "app/ui/GoToRecordDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <algorithm>

#include "app/GoToRecord.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "shell/ui/QtText.h"

namespace kelvane {

GoToRecordDialog::GoToRecordDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GoToRecordDialog"));
    setWindowTitle(QStringLiteral("Go to"));
    auto* layout = new QFormLayout(this);
    columns_ = new QComboBox(this);
    columns_->setObjectName(QStringLiteral("cbGoToColumn"));
    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("edGoToValue"));
    layout->addRow(QStringLiteral("Record by"), columns_);
    layout->addRow(QStringLiteral("Value"), value_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void GoToRecordDialog::Prepare(const RecordTable& table) {
    const int kept = columns_->currentIndex();
    columns_->clear();
    for (const int column : {GoToIndexColumn, GoToKeyColumn}) {
        if (column < table.FieldCount()) {
            columns_->addItem(ToQt(table.Presentation(column).Caption));
        }
    }
    columns_->setCurrentIndex(std::clamp(kept, 0, columns_->count() - 1));
    value_->selectAll();
    value_->setFocus();
}

int GoToRecordDialog::Column() const {
    return columns_->currentIndex() == 1 ? GoToKeyColumn : GoToIndexColumn;
}

QString GoToRecordDialog::Value() const {
    return value_->text();
}

}  // namespace kelvane
