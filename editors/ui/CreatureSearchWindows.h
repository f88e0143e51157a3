#pragma once

#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/ListSearchWindow.h"

namespace kelvane {

// "Search for Model :": finds entries of the creature editor's model list.
class ModelSearchWindow : public ListSearchWindow {
    Q_OBJECT

  public:
    ModelSearchWindow(CreatureEditorWindow& editor, QWidget* parent)
        : ListSearchWindow("Form6", "Search for Model :", editor.Models(), parent) {}
};

// "Search for Faction": finds entries of the creature editor's faction list.
class FactionSearchWindow : public ListSearchWindow {
    Q_OBJECT

  public:
    FactionSearchWindow(CreatureEditorWindow& editor, QWidget* parent)
        : ListSearchWindow("Form7", "Search for Faction", editor.Factions(), parent) {}
};

}  // namespace kelvane
