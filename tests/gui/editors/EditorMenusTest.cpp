#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/DatQuestionWindow.h"
#include "editors/ui/QuestEditorWindow.h"
#include "launcher/ui/ConverterWindow.h"
#include "program/Program.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"

namespace kelvane::testing {

// The hidden "&Editor" menu, the hidden converter entry and the question after saving, as the
// program wires them to their windows.
class EditorMenusTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    Program& App() { return run_->App(); }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    QAction* Action(const char* name) { return Child<QAction>(App().MainWindow(), name); }
    // Opens the three-spell sample under the given table name, as Open does.
    void OpenSampleAs(const std::string& tableName) {
        App().Session().OpenTableFile(WriteSpellSample(run_->Dir, tableName + ".dbc"));
    }
    int VisibleWindows() {
        int visible = 0;
        for (const QWidget* window : App().Windows()) {
            visible += window->isVisible() ? 1 : 0;
        }
        return visible;
    }

  private slots:
    void init() { run_ = std::make_unique<RunningProgram>(); }
    void cleanup() { run_.reset(); }

    void theEditorMenuAndTheConverterEntryStayHidden() {
        QVERIFY(!Child<QMenu>(App().MainWindow(), "Editor1")->menuAction()->isVisible());
        QVERIFY(!Action("BLPConverter1")->isVisible());
    }

    void theCreatureEditorNeedsTheCreaturesTable() {
        OpenSampleAs("creatures");
        Action("Creatures1")->trigger();
        QCOMPARE(Dialogs().Messages,
                 std::vector<std::string>{"You must open Creatures.dbc to use Creature Editor!!!"});
        QVERIFY(!App().CreatureEditor().isVisible());

        OpenSampleAs("Creatures");
        Action("Creatures1")->trigger();
        QVERIFY(App().CreatureEditor().isVisible());
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
    }

    void theQuestEditorAndTheConverterOpenWithoutChecks() {
        Action("LootTemplates1")->trigger();
        QVERIFY(App().QuestEditor().isVisible());
        Action("BLPConverter1")->trigger();
        QVERIFY(App().Converter().isVisible());
        QVERIFY(Dialogs().Messages.empty());
    }

    void theOtherEditorEntriesDoNothing() {
        OpenSampleAs("Creatures");
        for (const char* entry : {"Items1", "GOs1", "GenerateupdatedItemdatfile1",
                                  "GenerateupdatedCreaturedatfile1", "GenerateupdatedGOdatfile1"}) {
            Action(entry)->trigger();
        }
        QCOMPARE(VisibleWindows(), 0);
        QVERIFY(Dialogs().Messages.empty());
    }

    void savingTheCreaturesTableAsksAboutItsDatFile() {
        OpenSampleAs("Creatures");
        Action("MenuItemSave")->trigger();
        QVERIFY(App().DatQuestion().isVisible());
        QCOMPARE(Child<QLabel>(App().DatQuestion(), "Label1")->text(),
                 QString("Would u like to generate Creature.dat file now? "));
        QTest::mouseClick(Child<QPushButton>(App().DatQuestion(), "Button2"), Qt::LeftButton);
        QVERIFY(!App().DatQuestion().isVisible());
    }
};

KELVANE_WINDOW_TEST(EditorMenusTest);

}  // namespace kelvane::testing

#include "EditorMenusTest.moc"
