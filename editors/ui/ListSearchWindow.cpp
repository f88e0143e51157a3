#include "editors/ui/ListSearchWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/PickList.h"
#include "editors/ui/EditorControls.h"
#include "editors/ui/PickListCombo.h"
#include "editors/ui/RadioGroup.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

// The position of "Backward" in the direction group, after "Forward".
constexpr int kBackward = 1;

}  // namespace

ListSearchWindow::ListSearchWindow(const char* objectName, const char* caption,
                                   PickListCombo& searched, QWidget* parent)
    : EditorWindow(objectName, caption, Qt::Window, parent),
      searched_(searched),
      text_(MakeTextField("Edit1", this)),
      direction_(new RadioGroup("RadioGroup1", "Direction : ", {"Forward", "Backward"}, 1, this)) {
    QPushButton* findNext = MakeButton("Button1", "Find Next", this);
    connect(findNext, &QPushButton::clicked, this, &ListSearchWindow::FindNextClicked);

    auto* search = new QVBoxLayout;
    search->addWidget(MakeLabel("Search for :", this));
    search->addWidget(text_);
    search->addWidget(findNext);
    search->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(search, 1);
    layout->addWidget(direction_);
}

void ListSearchWindow::FindNextClicked() {
    const SearchDirection direction =
        direction_->ItemIndex() == kBackward ? SearchDirection::Backward : SearchDirection::Forward;
    const std::optional<int> found = FindNextEntry(
        searched_.Contents().Entries, searched_.Selected(), FromQt(text_->text()), direction);
    if (found) {
        searched_.Select(*found);
    }
}

}  // namespace kelvane
