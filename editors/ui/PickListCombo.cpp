#include "editors/ui/PickListCombo.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// Long model and faction names would otherwise widen the whole form.
constexpr int kShownCharacters = 24;

QComboBox* MakeList(const QString& name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(kShownCharacters);
    return list;
}

void AddTexts(QComboBox& list, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        list.addItem(ToQt(text));
    }
}

std::vector<std::string> TextsOf(const QComboBox& list) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        texts.push_back(FromQt(list.itemText(i)));
    }
    return texts;
}

}  // namespace

PickListCombo::PickListCombo(const char* listName, QWidget* parent)
    : QWidget(parent),
      list_(MakeList(QString::fromLatin1(listName), this)),
      ids_(MakeList(QString::fromLatin1(listName) + "ID", this)) {
    ids_->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
}

int PickListCombo::Selected() const {
    return list_->currentIndex();
}

void PickListCombo::Select(int position) {
    list_->setCurrentIndex(position);
}

void PickListCombo::Append(const PickList& added) {
    // A combo box selects its first entry when one is added to it empty; the user has not.
    const int selected = list_->currentIndex();
    AddTexts(*list_, added.Entries);
    AddTexts(*ids_, added.Ids);
    list_->setCurrentIndex(selected);
}

PickList PickListCombo::Contents() const {
    return {TextsOf(*list_), TextsOf(*ids_)};
}

}  // namespace kelvane
