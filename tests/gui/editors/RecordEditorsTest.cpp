#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <limits>
#include <memory>

#include "app/ui/RecordTableModel.h"
#include "core/table/RecordTable.h"
#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/CreatureSearchWindows.h"
#include "editors/ui/ItemsEditorWindow.h"
#include "editors/ui/QuestEditorWindow.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/EditorTables.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

QString Cell(RecordTable& table, int row, const char* column) {
    return ToQt(table.CellText(row, table.FindColumn(column)));
}

QStringList ItemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.itemText(i);
    }
    return items;
}

// The texts a window shows on its labels and group frames.
QStringList ShownTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const QGroupBox* group : window.findChildren<QGroupBox*>()) {
        texts << group->title();
    }
    return texts;
}

QStringList ButtonCaptions(const QWidget& window) {
    QStringList captions;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        captions << button->text();
    }
    return captions;
}

void Pick(const QWidget& window, const char* list, const QString& entry) {
    QComboBox* combo = Child<QComboBox>(window, list);
    const int position = combo->findText(entry);
    if (position < 0) {
        qFatal("%s has no entry %s", list, qPrintable(entry));
    }
    combo->setCurrentIndex(position);
}

void Type(const QWidget& window, const char* field, const QString& text) {
    QTest::keyClicks(Child<QLineEdit>(window, field), text);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Selects the radio button with the caption. Clicked by program: a mouse click in the middle of
// a button stretched by its layout misses the caption and is ignored.
void Choose(const QWidget& window, const QString& caption) {
    ButtonWithText(window, caption)->click();
}

// Whether the views were told that the cell changed.
bool Announced(const QSignalSpy& dataChanged, int row, int column) {
    for (const QList<QVariant>& signal : dataChanged) {
        const auto topLeft = signal[0].value<QModelIndex>();
        const auto bottomRight = signal[1].value<QModelIndex>();
        if (topLeft.row() <= row && row <= bottomRight.row() && topLeft.column() <= column &&
            column <= bottomRight.column()) {
            return true;
        }
    }
    return false;
}

}  // namespace

class RecordEditorsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<RecordTable> table_;
    std::unique_ptr<QWidget> mainWindow_;
    CreatureEditorWindow* creatures_ = nullptr;
    QuestEditorWindow* quests_ = nullptr;
    ItemsEditorWindow* items_ = nullptr;

    void WriteListFiles() {
        dir_->Write(
            "models.txt",
            "1=Wolf\r\n2=Raptor\r\n3=Bear\r\n4=Raptor Lord\r\n5=Crab\r\n6=Raptor Hatchling\r\n");
        dir_->Write("factions.txt", "7=Horde\r\n8=Alliance\r\n9=Horde Expedition\r\n");
    }

    static void Show(QWidget& window) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    void ClickApply() { Click(Child<QPushButton>(*creatures_, "Button1")); }

    // Two quests, (10, "Start") and (11, "Next step"), the first current.
    void BuildQuests() {
        BuildFilledTable(*table_, QuestColumns(), 0);
        AddRecord(*table_, {"10", "Start"});
        AddRecord(*table_, {"11", "Next step"});
        table_->First();
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        table_ = std::make_unique<RecordTable>();
        mainWindow_ = std::make_unique<QWidget>();
        creatures_ = new CreatureEditorWindow(*table_, *dialogs_, dir_->Path(), mainWindow_.get());
        new ModelSearchWindow(*creatures_, mainWindow_.get());
        new FactionSearchWindow(*creatures_, mainWindow_.get());
        quests_ = new QuestEditorWindow(*table_, *dialogs_, mainWindow_.get());
        items_ = new ItemsEditorWindow(mainWindow_.get());
    }

    void cleanup() {
        QCOMPARE(dialogs_->Unanswered, std::vector<std::string>{});
        mainWindow_.reset();
    }

    // ---- The windows and their controls ---------------------------------------------------

    void windowsHaveTheirControlsAndCaptions_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("tool");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("creature editor")
            << "Form5"
            << "Creature Editor" << true
            << QStringList{"IDEdit",          "NameEdit",     "LVLEdit",      "ComboModel",
                           "ComboModelID",    "SpeedButton1", "ComboFaction", "ComboFactionID",
                           "SpeedButton2",    "HealthEdit",   "ManaEdit",     "ComboType",
                           "ComboElite",      "ComboFamily",  "GuildEdit",    "AttackEdit",
                           "SpeedEdit",       "SizeEdit",     "flags1Edit",   "SellEdit",
                           "TrainEdit",       "LootEdit",     "NPCTextEdit",  "BoundRadEdit",
                           "CombatReachEdit", "MoneyEdit",    "EquipEdit",    "FlagsInput",
                           "ComboNPCFlags",   "NPCFlagsEdit", "DamageEdit",   "Button1",
                           "Button2"}
            << QStringList{"ID",
                           "Name",
                           "Level",
                           "Model",
                           "Faction",
                           "Health",
                           "Mana",
                           "Type",
                           "Elite",
                           "Family",
                           "Guild",
                           "Attack",
                           "Speed",
                           "Size",
                           "flags1",
                           "<-- HEX",
                           "Sell Template",
                           "Train Template",
                           "Loot Template",
                           "NPC Text",
                           "Bounding Radius",
                           "Combat Reach",
                           "Money",
                           "Equip Model",
                           "Damage",
                           "NPC Flags ",
                           "Input type"}
            << QStringList{"&Apply", "&Close", "F", "Choose from list", "Type"};
        const QStringList searchControls{"Edit1", "Button1", "RadioGroup1"};
        const QStringList searchTexts{"Search for :", "Direction : "};
        const QStringList searchButtons{"Find Next", "Forward", "Backward"};
        QTest::newRow("model search")
            << "Form6"
            << "Search for Model :" << false << searchControls << searchTexts << searchButtons;
        QTest::newRow("faction search")
            << "Form7"
            << "Search for Faction" << false << searchControls << searchTexts << searchButtons;
        QTest::newRow("quest editor")
            << "Form8"
            << "Quest Editor" << false
            << QStringList{"NameEdit",       "PageControl1",    "Desc",      "DescDetails",
                           "DescInComplete", "DescCompletion",  "DescPre",   "IDEdit",
                           "ComboOpenedBy",  "ComboOpenedByID", "ComboNext", "ComboNextID",
                           "ReqLvlEdit",     "QuestLvlEdit",    "Button1",   "LoadData"}
            << QStringList{"Name :",
                           "Short Description :",
                           "Type all details here :",
                           "use $N to add player's name...",
                           "Quest Incomplete text :",
                           "This text will be shown by finishing npc. ",
                           "Pre-Completion text :",
                           "This text will be shown before player get reward for quest",
                           "Completion Text :",
                           "This text will be shown when player gets/chooses reward, if there "
                           "is no text here",
                           "initial quest text will be shown.",
                           "ID :",
                           "Opened by quest",
                           "Next Quest",
                           "Req. Level",
                           "Quest Level"}
            << QStringList{"Apply", "LoadData"};
        QTest::newRow("items editor") << "Form9"
                                      << "Items Editor" << false << QStringList{} << QStringList{}
                                      << QStringList{"Parse", "Save"};
    }
    void windowsHaveTheirControlsAndCaptions() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(bool, tool);
        QFETCH(QStringList, controls);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, buttons);
        auto* form = mainWindow_->findChild<QWidget*>(window);
        QVERIFY(form != nullptr);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->windowType(), tool ? Qt::Tool : Qt::Window);
        QVERIFY(!form->isModal());
        for (const QString& control : controls) {
            QVERIFY2(form->findChild<QWidget*>(control) != nullptr, qPrintable(control));
        }
        const QStringList shown = ShownTexts(*form);
        for (const QString& text : texts) {
            QVERIFY2(shown.contains(text), qPrintable(text));
        }
        const QStringList captions = ButtonCaptions(*form);
        for (const QString& button : buttons) {
            QVERIFY2(captions.contains(button), qPrintable(button));
        }
    }

    void fieldsStartEmptyWithTheFirstChoicesSelected() {
        for (const char* name :
             {"LVLEdit", "HealthEdit", "ManaEdit", "AttackEdit", "MoneyEdit", "DamageEdit"}) {
            const QSpinBox* spin = Child<QSpinBox>(*creatures_, name);
            QCOMPARE(spin->value(), 0);
            QCOMPARE(spin->minimum(), std::numeric_limits<int>::min());
            QCOMPARE(spin->maximum(), std::numeric_limits<int>::max());
        }
        QCOMPARE(Child<QSpinBox>(*creatures_, "HealthEdit")->singleStep(), 10);
        QCOMPARE(Child<QSpinBox>(*creatures_, "ManaEdit")->singleStep(), 10);
        QCOMPARE(Child<QSpinBox>(*creatures_, "LVLEdit")->singleStep(), 1);
        for (const char* name : {"ComboModel", "ComboFaction", "ComboType", "ComboElite",
                                 "ComboFamily", "ComboNPCFlags"}) {
            QCOMPARE(Child<QComboBox>(*creatures_, name)->currentIndex(), -1);
        }
        QVERIFY(Child<QComboBox>(*creatures_, "ComboModelID")->isHidden());
        QVERIFY(Child<QComboBox>(*creatures_, "ComboFactionID")->isHidden());
        QVERIFY(qobject_cast<QRadioButton*>(ButtonWithText(*creatures_, "Choose from list"))
                    ->isChecked());
        QVERIFY(Child<QComboBox>(*creatures_, "ComboNPCFlags")->isEnabled());
        QVERIFY(!Child<QLineEdit>(*creatures_, "NPCFlagsEdit")->isEnabled());
        for (const char* name : {"Form6", "Form7"}) {
            const auto* search = mainWindow_->findChild<QWidget*>(name);
            QVERIFY(qobject_cast<QRadioButton*>(ButtonWithText(*search, "Forward"))->isChecked());
        }

        const QTabWidget* pages = Child<QTabWidget>(*quests_, "PageControl1");
        QCOMPARE(pages->count(), 5);
        const QStringList tabs{"Short", "Details", "Incomplete", "Pre-Completion", "Completion"};
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(pages->tabText(i), tabs[i]);
        }
        QCOMPARE(pages->tabText(pages->currentIndex()), QString("Completion"));
        QCOMPARE(Child<QTextEdit>(*quests_, "DescDetails")->toPlainText(), QString("DescDetails"));
        for (const char* name : {"ComboOpenedBy", "ComboOpenedByID", "ComboNext", "ComboNextID"}) {
            QCOMPARE(Child<QComboBox>(*quests_, name)->count(), 0);
        }
        QCOMPARE(items_->findChild<QTableWidget*>()->columnCount(), 2);
    }

    // ---- Creature editor ------------------------------------------------------------------

    void showingTheCreatureEditorReadsItsListsOnce() {
        WriteListFiles();
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboModel")->count(), 0);
        Show(*creatures_);
        QCOMPARE(ItemsOf(*Child<QComboBox>(*creatures_, "ComboFaction")),
                 (QStringList{"7=Horde", "8=Alliance", "9=Horde Expedition"}));
        QCOMPARE(ItemsOf(*Child<QComboBox>(*creatures_, "ComboFactionID")),
                 (QStringList{"7", "8", "9"}));
        QCOMPARE(ItemsOf(*Child<QComboBox>(*creatures_, "ComboModelID")).size(), 6);
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboModel")->currentIndex(), -1);
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboFaction")->currentIndex(), -1);

        creatures_->hide();
        dir_->Write("factions.txt", "1=Other\r\n");
        Show(*creatures_);
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboFaction")->count(), 3);
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
    }

    void missingListFilesLeaveTheListsEmpty() {
        Show(*creatures_);
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboModel")->count(), 0);
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboFactionID")->count(), 0);
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
    }

    void applyWritesTheFormIntoTheCurrentRecordAndTheGridShowsIt() {
        WriteListFiles();
        BuildFilledTable(*table_, CreatureColumns(), 2);
        table_->MoveTo(1);
        RecordTableModel grid(*table_, *dialogs_);
        QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
        Show(*creatures_);

        Type(*creatures_, "IDEdit", "448");
        Type(*creatures_, "NameEdit", "Rat");
        Child<QSpinBox>(*creatures_, "LVLEdit")->setValue(-3);
        QSpinBox* health = Child<QSpinBox>(*creatures_, "HealthEdit");
        QTest::keyClick(health, Qt::Key_Up);
        QTest::keyClick(health, Qt::Key_Up);
        // A spin field whose text is no number counts as 0.
        QSpinBox* money = Child<QSpinBox>(*creatures_, "MoneyEdit");
        money->setValue(50);
        money->findChild<QLineEdit*>()->clear();
        Pick(*creatures_, "ComboModel", "3=Bear");
        Pick(*creatures_, "ComboFaction", "8=Alliance");
        Pick(*creatures_, "ComboFamily", "11 - Raptor");
        Type(*creatures_, "flags1Edit", "$10");
        Child<QSpinBox>(*creatures_, "DamageEdit")->setValue(99);
        ClickApply();

        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
        const std::pair<const char*, const char*> written[] = {
            {"id", "448"},    {"name", "Rat"},  {"level", "-3"},   {"maxhealth", "20"},
            {"money", "0"},   {"model", "3"},   {"faction", "8"},  {"family", "11"},
            {"flags1", "16"}, {"maxmana", "0"}, {"guild", ""},     {"speed", ""},
            {"type", "5"},    {"elite", "5"},   {"npcflags", "5"},
        };
        for (const auto& [column, text] : written) {
            QVERIFY2(Cell(*table_, 1, column) == text, column);
        }
        QCOMPARE(Cell(*table_, 0, "name"), QString("old"));
        QCOMPARE(table_->State(), TableState::Edit);
        QVERIFY(Announced(changed, 1, table_->FindColumn("name")));
        QCOMPARE(grid.index(1, table_->FindColumn("name")).data().toString(), QString("Rat"));
    }

    void npcFlagsComeFromTheChosenInput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("listEntry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("from the list") << "Choose from list"
                                       << "33 Gossip + Healer"
                                       << ""
                                       << "33";
        QTest::newRow("list without selection") << "Choose from list"
                                                << ""
                                                << ""
                                                << "5";
        QTest::newRow("typed in hexadecimal") << "Type"
                                              << "4 Vendor"
                                              << "$21"
                                              << "33";
        QTest::newRow("typed in decimal") << "Type"
                                          << ""
                                          << "21"
                                          << "21";
    }
    void npcFlagsComeFromTheChosenInput() {
        QFETCH(QString, input);
        QFETCH(QString, listEntry);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        BuildFilledTable(*table_, CreatureColumns(), 1);
        Show(*creatures_);

        Choose(*creatures_, input);
        const bool fromList = input == "Choose from list";
        QCOMPARE(Child<QComboBox>(*creatures_, "ComboNPCFlags")->isEnabled(), fromList);
        QCOMPARE(Child<QLineEdit>(*creatures_, "NPCFlagsEdit")->isEnabled(), !fromList);
        if (!listEntry.isEmpty()) {
            Pick(*creatures_, "ComboNPCFlags", listEntry);
        }
        Type(*creatures_, "NPCFlagsEdit", typed);
        ClickApply();

        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
        QCOMPARE(Cell(*table_, 0, "npcflags"), written);
    }

    void aFailedApplyShowsItsMessageAndKeepsTheColumnsBeforeIt() {
        BuildFilledTable(*table_, CreatureColumns(), 1);
        Show(*creatures_);
        Type(*creatures_, "NameEdit", "Rat");
        Type(*creatures_, "flags1Edit", "1A");
        Type(*creatures_, "SellEdit", "3");
        ClickApply();

        QCOMPARE(dialogs_->Messages,
                 std::vector<std::string>{"'1A' is not a valid integer value for field 'flags1'"});
        QCOMPARE(Cell(*table_, 0, "name"), QString("Rat"));
        QCOMPARE(Cell(*table_, 0, "selltemplate"), QString("5"));
    }

    void findButtonsAskForTheirSearchWindows() {
        QSignalSpy models(creatures_, &CreatureEditorWindow::ModelSearchRequested);
        QSignalSpy factions(creatures_, &CreatureEditorWindow::FactionSearchRequested);
        Show(*creatures_);
        Click(Child<QToolButton>(*creatures_, "SpeedButton1"));
        QCOMPARE(models.count(), 1);
        QCOMPARE(factions.count(), 0);
        Click(Child<QToolButton>(*creatures_, "SpeedButton2"));
        QCOMPARE(models.count(), 1);
        QCOMPARE(factions.count(), 1);
    }

    void closingHidesTheWindowAndKeepsItsFields_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closeButton");
        QTest::newRow("creature editor by its button") << "Form5"
                                                       << "Button2";
        QTest::newRow("quest editor") << "Form8"
                                      << "";
    }
    void closingHidesTheWindowAndKeepsItsFields() {
        QFETCH(QString, window);
        QFETCH(QString, closeButton);
        auto* form = mainWindow_->findChild<QWidget*>(window);
        Show(*form);
        Type(*form, "NameEdit", "Rat");
        if (closeButton.isEmpty()) {
            QVERIFY(form->close());
        } else {
            Click(Child<QPushButton>(*form, qPrintable(closeButton)));
        }
        QVERIFY(!form->isVisible());
        QCOMPARE(mainWindow_->findChild<QWidget*>(window), form);
        Show(*form);
        QCOMPARE(Child<QLineEdit>(*form, "NameEdit")->text(), QString("Rat"));
    }

    // ---- Model and faction search ---------------------------------------------------------

    void findNextSelectsInTheEditorsList_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<int>("found");
        QTest::newRow("model, forward from none") << "Form6" << -1 << "raptor"
                                                  << "Forward" << 1;
        QTest::newRow("model, forward from a hit") << "Form6" << 1 << "RAPTOR"
                                                   << "Forward" << 3;
        QTest::newRow("model, backward") << "Form6" << 5 << "raptor"
                                         << "Backward" << 3;
        QTest::newRow("model, backward no lower than 2") << "Form6" << 3 << "raptor"
                                                         << "Backward" << 3;
        QTest::newRow("model, no match keeps the selection") << "Form6" << 2 << "dragon"
                                                             << "Forward" << 2;
        QTest::newRow("faction, forward") << "Form7" << 0 << "horde"
                                          << "Forward" << 2;
    }
    void findNextSelectsInTheEditorsList() {
        QFETCH(QString, window);
        QFETCH(int, selected);
        QFETCH(QString, text);
        QFETCH(QString, direction);
        QFETCH(int, found);
        WriteListFiles();
        Show(*creatures_);
        const bool models = window == "Form6";
        QComboBox* searched = Child<QComboBox>(*creatures_, models ? "ComboModel" : "ComboFaction");
        QComboBox* other = Child<QComboBox>(*creatures_, models ? "ComboFaction" : "ComboModel");
        searched->setCurrentIndex(selected);

        auto* search = mainWindow_->findChild<QWidget*>(window);
        Show(*search);
        Type(*search, "Edit1", text);
        Choose(*search, direction);
        Click(Child<QPushButton>(*search, "Button1"));

        QCOMPARE(searched->currentIndex(), found);
        QCOMPARE(other->currentIndex(), -1);
    }

    // ---- Quest editor ---------------------------------------------------------------------

    void loadDataListsTheQuestsAndApplyWritesThePickedId() {
        BuildQuests();
        Show(*quests_);
        QPushButton* loadData = Child<QPushButton>(*quests_, "LoadData");
        Click(loadData);

        for (const char* name : {"ComboOpenedBy", "ComboNext"}) {
            QCOMPARE(ItemsOf(*Child<QComboBox>(*quests_, name)),
                     (QStringList{"10 Start", "11 Next step"}));
            QCOMPARE(Child<QComboBox>(*quests_, name)->currentIndex(), -1);
        }
        for (const char* name : {"ComboOpenedByID", "ComboNextID"}) {
            QCOMPARE(ItemsOf(*Child<QComboBox>(*quests_, name)), (QStringList{"10", "11"}));
        }
        QCOMPARE(table_->CurrentRow(), 1);

        Pick(*quests_, "ComboNext", "11 Next step");
        Click(Child<QPushButton>(*quests_, "Button1"));
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
        QCOMPARE(Cell(*table_, 1, "nextstoryquest"), QString("11"));
        QCOMPARE(Cell(*table_, 1, "openedbyquest"), QString(""));
        QCOMPARE(Cell(*table_, 1, "details"), QString("DescDetails"));
        QCOMPARE(Cell(*table_, 1, "requireslevel"), QString("0"));

        Click(loadData);
        QCOMPARE(Child<QComboBox>(*quests_, "ComboNext")->count(), 4);
        QCOMPARE(Child<QComboBox>(*quests_, "ComboNextID")->count(), 4);
        QCOMPARE(Child<QComboBox>(*quests_, "ComboNext")->currentIndex(), 1);
    }

    void applyWritesTypedLinesWithCrLf() {
        BuildQuests();
        Show(*quests_);
        auto* pages = Child<QTabWidget>(*quests_, "PageControl1");
        auto* objectives = Child<QPlainTextEdit>(*quests_, "Desc");
        pages->setCurrentWidget(objectives->parentWidget());
        QTest::keyClicks(objectives, "Kill ten rats.");
        QTest::keyClick(objectives, Qt::Key_Return);
        QTest::keyClicks(objectives, "Return.");
        auto* details = Child<QTextEdit>(*quests_, "DescDetails");
        pages->setCurrentWidget(details->parentWidget());
        details->selectAll();
        QTest::keyClicks(details, "Line one");
        QTest::keyClick(details, Qt::Key_Return);
        QTest::keyClicks(details, "Line two");
        Child<QSpinBox>(*quests_, "ReqLvlEdit")->setValue(12);
        Child<QSpinBox>(*quests_, "QuestLvlEdit")->setValue(60);
        Click(Child<QPushButton>(*quests_, "Button1"));

        QCOMPARE(Cell(*table_, 0, "objectives"), QString("Kill ten rats.\r\nReturn."));
        QCOMPARE(Cell(*table_, 0, "details"), QString("Line one\r\nLine two"));
        QCOMPARE(Cell(*table_, 0, "requireslevel"), QString("12"));
        QCOMPARE(Cell(*table_, 0, "incompletetext"), QString(""));
    }

    void loadDataWithoutANameColumnShowsTheFailure() {
        BuildFilledTable(*table_, {{"id"}, {"title", FieldKind::ftString}}, 1);
        Show(*quests_);
        Click(Child<QPushButton>(*quests_, "LoadData"));
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{"Field 'name' not found"});
        QCOMPARE(Child<QComboBox>(*quests_, "ComboNext")->count(), 0);
        QVERIFY(!table_->NotificationsSuspended());
    }
};

KELVANE_WINDOW_TEST(RecordEditorsTest);

}  // namespace kelvane::testing

#include "RecordEditorsTest.moc"
