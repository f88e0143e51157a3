#pragma once

#include "editors/ui/ListSearchWindow.h"
#include "editors/ui/TForm5.h"

namespace kelvane {

// "Search for Model :": finds entries of the creature editor's model list.
class TForm6 : public ListSearchWindow {
    Q_OBJECT

  public:
    TForm6(TForm5& editor, QWidget* parent)
        : ListSearchWindow("Form6", "Search for Model :", editor.Models(), parent) {}
};

// "Search for Faction": finds entries of the creature editor's faction list.
class TForm7 : public ListSearchWindow {
    Q_OBJECT

  public:
    TForm7(TForm5& editor, QWidget* parent)
        : ListSearchWindow("Form7", "Search for Faction", editor.Factions(), parent) {}
};

}  // namespace kelvane
