#include "app/ui/RecordSearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "app/RecordSearch.h"
#include "core/table/RecordTable.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/ModalRunner.h"
#include "shell/ui/QtText.h"

namespace kelvane {

RecordSearchDialog::RecordSearchDialog(const SearchSettings& settings, QWidget* parent)
    : QDialog(parent), value_(new QLineEdit(ToQt(settings.Value), this)) {
    setObjectName("RecordSearchDialog");
    setWindowTitle(ToQt(settings.Caption));

    auto* valueLabel = new QLabel("Value:", this);
    valueLabel->setBuddy(value_);
    value_->setObjectName("edValue");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    QPushButton* findNext = buttons->addButton("Find &Next", QDialogButtonBox::AcceptRole);
    findNext->setObjectName("FindNext");
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, [this] { findNextChosen_ = true; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(valueLabel);
    layout->addWidget(value_);
    layout->addWidget(MakeColumnChoice(settings));
    layout->addWidget(MakeOptions(settings));
    layout->addWidget(MakeOrigin(settings));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* RecordSearchDialog::MakeColumnChoice(const SearchSettings& settings) {
    auto* group = new QGroupBox(this);
    allFields_ = new QRadioButton("in all fields", group);
    allFields_->setObjectName("rbAllFields");
    oneField_ = new QRadioButton("in field", group);
    oneField_->setObjectName("rbOneField");
    (settings.Field.empty() ? allFields_ : oneField_)->setChecked(true);

    fields_ = new QComboBox(group);
    fields_->setObjectName("cbFields");
    for (const std::string& name : settings.FieldList) {
        fields_->addItem(ToQt(name));
    }
    fields_->setCurrentIndex(std::max(fields_->findText(ToQt(settings.Field)), 0));
    connect(fields_, &QComboBox::activated, oneField_, [this] { oneField_->setChecked(true); });

    auto* oneFieldRow = new QHBoxLayout;
    oneFieldRow->addWidget(oneField_);
    oneFieldRow->addWidget(fields_, 1);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(allFields_);
    layout->addLayout(oneFieldRow);
    return group;
}

QWidget* RecordSearchDialog::MakeOptions(const SearchSettings& settings) {
    auto* group = new QGroupBox(" Options ", this);
    caseSensitive_ = new QCheckBox("&case sensitive", group);
    caseSensitive_->setObjectName("cbCaseSensitive");
    caseSensitive_->setChecked(settings.CaseSensitive);
    mode_ = new QComboBox(group);
    mode_->setObjectName("cbMode");
    // In the order of SearchMode.
    mode_->addItems({"At a beginning of string", "Exactly coincidence", "Any position"});
    mode_->setCurrentIndex(static_cast<int>(settings.Mode));

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(caseSensitive_);
    layout->addWidget(mode_);
    return group;
}

QWidget* RecordSearchDialog::MakeOrigin(const SearchSettings& settings) {
    auto* group = new QGroupBox(" Origin ", this);
    group->setObjectName("rgPosition");
    auto* fromFirst = new QRadioButton("from first record", group);
    fromCurrent_ = new QRadioButton("from current record", group);
    (settings.Origin == SearchOrigin::FirstRecord ? fromFirst : fromCurrent_)->setChecked(true);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(fromFirst);
    layout->addWidget(fromCurrent_);
    return group;
}

void RecordSearchDialog::StoreInto(SearchSettings& settings) const {
    settings.CaseSensitive = caseSensitive_->isChecked();
    settings.Mode = static_cast<SearchMode>(mode_->currentIndex());
    settings.Origin =
        fromCurrent_->isChecked() ? SearchOrigin::AfterCurrentRecord : SearchOrigin::FirstRecord;
    settings.Field = allFields_->isChecked() ? std::string() : FromQt(fields_->currentText());
    settings.Value = FromQt(value_->text());
}

void RecordSearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnScreen(*this);
    }
}

SearchRequest AskRecordSearch(QWidget* parent, ModalRunner& modals, const RecordTable& table,
                              SearchSettings& settings) {
    FillFieldList(settings, table);
    RecordSearchDialog dialog(settings, parent);
    if (modals.RunModal(dialog) != QDialog::Accepted) {
        return SearchRequest::Cancelled;
    }
    dialog.StoreInto(settings);
    return dialog.FindNextChosen() ? SearchRequest::FindNext : SearchRequest::Find;
}

}  // namespace kelvane
