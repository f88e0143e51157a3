#pragma once

#include <QWidget>
#include <string>

#include "editors/DatGeneration.h"

class QLabel;
class QProgressBar;

namespace kelvane {

struct DatKind;
class RecordTable;
class UserDialogs;

// A small tool window that writes one kind of .dat file from the main window's table into the
// side-file folder: a status line, a progress bar and "Generate".
class DatGeneratorWindow : public QWidget, private DatGenerationView {
    Q_OBJECT

  public:
    // Shows the window and generates at once, as if "Generate" were pressed. Returns whether
    // the file was written.
    bool ShowAndGenerate();

  protected:
    DatGeneratorWindow(const char* objectName, const char* caption, const char* tableName,
                       RecordTable& table, UserDialogs& dialogs, std::string sideFileFolder,
                       QWidget* parent);

  private:
    bool GenerateClicked();
    void SetStatus(std::string_view text) override;
    void SetProgress(int position) override;
    void Pause(std::chrono::milliseconds duration) override;

    const DatKind& kind_;
    RecordTable& table_;
    UserDialogs& dialogs_;
    std::string sideFileFolder_;
    QLabel* status_;
    QProgressBar* progress_;
};

class ItemDatWindow : public DatGeneratorWindow {
    Q_OBJECT

  public:
    ItemDatWindow(RecordTable& table, UserDialogs& dialogs, std::string sideFileFolder,
                  QWidget* parent)
        : DatGeneratorWindow("ItemDat", "Item.dat generation...", "Items", table, dialogs,
                             std::move(sideFileFolder), parent) {}
};

class CreatureDatWindow : public DatGeneratorWindow {
    Q_OBJECT

  public:
    CreatureDatWindow(RecordTable& table, UserDialogs& dialogs, std::string sideFileFolder,
                      QWidget* parent)
        : DatGeneratorWindow("CreaturesDat", "Creature.dat Generation", "Creatures", table, dialogs,
                             std::move(sideFileFolder), parent) {}
};

class GameObjectDatWindow : public DatGeneratorWindow {
    Q_OBJECT

  public:
    GameObjectDatWindow(RecordTable& table, UserDialogs& dialogs, std::string sideFileFolder,
                        QWidget* parent)
        : DatGeneratorWindow("GODat", "GO.dat generation", "gameobjects", table, dialogs,
                             std::move(sideFileFolder), parent) {}
};

}  // namespace kelvane
