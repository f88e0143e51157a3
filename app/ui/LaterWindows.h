#pragma once

#include "app/ui/ShellWindow.h"

namespace kelvane {

// The windows of the creature and quest editors, the .dat generation and the converter
// launcher. They exist from the start, under their names and captions, so the program's
// windows are complete; each gains its controls with the subsystem it belongs to.

class TForm5 : public ShellWindow {
  public:
    explicit TForm5(QWidget* parent) : ShellWindow("Form5", "Creature Editor", parent) {}
};
class TForm7 : public ShellWindow {
  public:
    explicit TForm7(QWidget* parent) : ShellWindow("Form7", "Search for Faction", parent) {}
};
class TItemDat : public ShellWindow {
  public:
    explicit TItemDat(QWidget* parent)
        : ShellWindow("ItemDat", "Item.dat generation...", parent, Qt::Tool) {}
};
class TForm6 : public ShellWindow {
  public:
    explicit TForm6(QWidget* parent) : ShellWindow("Form6", "Search for Model :", parent) {}
};
class TForm8 : public ShellWindow {
  public:
    explicit TForm8(QWidget* parent) : ShellWindow("Form8", "Quest Editor", parent) {}
};
class TForm9 : public ShellWindow {
  public:
    explicit TForm9(QWidget* parent) : ShellWindow("Form9", "Items Editor", parent) {}
};
class TCreaturesDat : public ShellWindow {
  public:
    explicit TCreaturesDat(QWidget* parent)
        : ShellWindow("CreaturesDat", "Creature.dat Generation", parent, Qt::Tool) {}
};
class TAskDiag : public ShellWindow {
  public:
    explicit TAskDiag(QWidget* parent) : ShellWindow("AskDiag", "AskDiag", parent) {}
};
class TGODat : public ShellWindow {
  public:
    explicit TGODat(QWidget* parent)
        : ShellWindow("GODat", "GO.dat generation", parent, Qt::Tool) {}
};
class TForm20 : public ShellWindow {
  public:
    explicit TForm20(QWidget* parent) : ShellWindow("Form20", "BLP Converter", parent) {}
};

}  // namespace kelvane
