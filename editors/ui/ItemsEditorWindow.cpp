#include "editors/ui/ItemsEditorWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/ui/EditorControls.h"

namespace kelvane {

ItemsEditorWindow::ItemsEditorWindow(QWidget* parent)
    : EditorWindow("Form9", "Items Editor", Qt::Window, parent) {
    auto* grid = new QTableWidget(0, 2, this);
    grid->setObjectName("StringGrid1");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeButton("Button1", "Parse", this));
    buttons->addWidget(MakeButton("Button2", "Save", this));
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid, 1);
}

}  // namespace kelvane
