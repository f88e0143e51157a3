#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "editors/ui/CreatureEditorWindow.h"
#include "editors/ui/DatQuestionWindow.h"
#include "editors/ui/QuestEditorWindow.h"
#include "launcher/ui/ConverterWindow.h"
#include "program/Program.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The hidden "&Editor" menu, the hidden converter entry and the question after saving, as the
// program wires them to their windows.
class EditorMenusTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<ScriptedModals> modals_;
    std::unique_ptr<Program> program_;

    QAction* Action(const char* name) { return Child<QAction>(program_->MainWindow(), name); }
    // Opens the three-spell sample under the given table name, as Open does.
    void OpenSampleAs(const std::string& tableName) {
        const std::string path = dir_->File(tableName + ".dbc");
        dir_->Write(tableName + ".dbc", SpellSample().Bytes());
        WriteFieldDefs(path, SpellSampleFields());
        program_->Session().OpenTableFile(path);
    }
    int VisibleWindows() const {
        int visible = 0;
        for (const QWidget* window : program_->Windows()) {
            visible += window->isVisible() ? 1 : 0;
        }
        return visible;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        modals_ = std::make_unique<ScriptedModals>();
        program_ = std::make_unique<Program>(*dialogs_, *modals_, std::vector<std::string>{});
    }
    void cleanup() { program_.reset(); }

    void theEditorMenuAndTheConverterEntryStayHidden() {
        QVERIFY(!Child<QMenu>(program_->MainWindow(), "Editor1")->menuAction()->isVisible());
        QVERIFY(!Action("BLPConverter1")->isVisible());
    }

    void theCreatureEditorNeedsTheCreaturesTable() {
        OpenSampleAs("creatures");
        Action("Creatures1")->trigger();
        QCOMPARE(dialogs_->Messages,
                 std::vector<std::string>{"You must open Creatures.dbc to use Creature Editor!!!"});
        QVERIFY(!program_->CreatureEditor().isVisible());

        OpenSampleAs("Creatures");
        Action("Creatures1")->trigger();
        QVERIFY(program_->CreatureEditor().isVisible());
        QCOMPARE(dialogs_->Messages.size(), size_t{1});
    }

    void theQuestEditorAndTheConverterOpenWithoutChecks() {
        Action("LootTemplates1")->trigger();
        QVERIFY(program_->QuestEditor().isVisible());
        Action("BLPConverter1")->trigger();
        QVERIFY(program_->Converter().isVisible());
        QVERIFY(dialogs_->Messages.empty());
    }

    void theOtherEditorEntriesDoNothing() {
        OpenSampleAs("Creatures");
        for (const char* entry : {"Items1", "GOs1", "GenerateupdatedItemdatfile1",
                                  "GenerateupdatedCreaturedatfile1", "GenerateupdatedGOdatfile1"}) {
            Action(entry)->trigger();
        }
        QCOMPARE(VisibleWindows(), 0);
        QVERIFY(dialogs_->Messages.empty());
    }

    void savingTheCreaturesTableAsksAboutItsDatFile() {
        OpenSampleAs("Creatures");
        Action("MenuItemSave")->trigger();
        QVERIFY(program_->DatQuestion().isVisible());
        QCOMPARE(Child<QLabel>(program_->DatQuestion(), "Label1")->text(),
                 QString("Would u like to generate Creature.dat file now? "));
        QTest::mouseClick(Child<QPushButton>(program_->DatQuestion(), "Button2"), Qt::LeftButton);
        QVERIFY(!program_->DatQuestion().isVisible());
    }
};

KELVANE_WINDOW_TEST(EditorMenusTest);

}  // namespace kelvane::testing

#include "EditorMenusTest.moc"
