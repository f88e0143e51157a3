#pragma once

#include "editors/ui/EditorWindow.h"

namespace kelvane {

// "Items Editor": a "Parse" and a "Save" button over a two-column grid, without any behaviour.
// The window exists for completeness; nothing shows it.
class ItemsEditorWindow : public EditorWindow {
    Q_OBJECT

  public:
    explicit ItemsEditorWindow(QWidget* parent);
};

}  // namespace kelvane
