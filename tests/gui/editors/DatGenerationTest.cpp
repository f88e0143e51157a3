#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/EditorSession.h"
#include "core/workspace/Workspace.h"
#include "editors/DatKinds.h"
#include "editors/ui/DatGeneratorWindow.h"
#include "editors/ui/DatQuestionWindow.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The main window's session with the question and the generator windows wired as the program
// wires them; the program's folder is a temporary one.
class DatGenerationTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> tables_;
    std::unique_ptr<TempDir> sideFileFolder_;
    std::unique_ptr<Workspace> work_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<CountingFeedback> feedback_;
    std::unique_ptr<EditorSession> session_;
    std::unique_ptr<QWidget> owner_;
    DatQuestionWindow* ask_ = nullptr;
    DatGeneratorWindow* creatures_ = nullptr;
    DatGeneratorWindow* items_ = nullptr;

    // Opens name.dbc holding (448, "Rat") and (25, "Big Rat") with the given name column.
    void OpenCreatures(const std::string& name, const std::string& nameColumn) {
        DbcBytes file;
        file.Header(2, 2, 8, 13).Int(448).Int(1).Int(25).Int(5);
        file.Raw(std::string("\0Rat\0Big Rat\0", 13));
        tables_->Write(name + ".dbc", file.Bytes());
        WriteFieldDefs(tables_->File(name + ".dbc"), {{"id"}, {nameColumn, FieldKind::ftString}});
        session_->OpenTableFile(tables_->File(name + ".dbc"));
    }
    void Click(QWidget& window, const char* button) {
        QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton);
    }

  private slots:
    void init() {
        tables_ = std::make_unique<TempDir>();
        sideFileFolder_ = std::make_unique<TempDir>();
        work_ = std::make_unique<Workspace>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        feedback_ = std::make_unique<CountingFeedback>();
        session_ = std::make_unique<EditorSession>(*work_, *dialogs_, *feedback_);
        owner_ = std::make_unique<QWidget>();
        items_ = new ItemDatWindow(work_->Table, *dialogs_, sideFileFolder_->Path(), owner_.get());
        creatures_ =
            new CreatureDatWindow(work_->Table, *dialogs_, sideFileFolder_->Path(), owner_.get());
        ask_ = new DatQuestionWindow(owner_.get());
        auto* gameObjects =
            new GameObjectDatWindow(work_->Table, *dialogs_, sideFileFolder_->Path(), owner_.get());
        ask_->SetGenerators(*items_, *creatures_, *gameObjects);
        session_->SetDatOffer([this](const DatKind& kind) { ask_->Ask(kind); });
    }

    // The session listens to the table, so it goes before the workspace.
    void cleanup() {
        owner_.reset();
        session_.reset();
    }

    void windowsHaveTheirCaptionsAndControls() {
        QCOMPARE(ask_->windowTitle(), QString("AskDiag"));
        QCOMPARE(Child<QLabel>(*ask_, "Label2")->text(),
                 QString("It's takes just a few seconds..."));
        QCOMPARE(Child<QPushButton>(*ask_, "Button1")->text(), QString("&Yes"));
        QCOMPARE(creatures_->windowTitle(), QString("Creature.dat Generation"));
        QCOMPARE(items_->windowTitle(), QString("Item.dat generation..."));
        QCOMPARE(Child<QLabel>(*creatures_, "Label6")->text(), QString("Press Generate"));
        QCOMPARE(Child<QProgressBar>(*creatures_, "ProgressBar1")->maximum(), 8500);
    }

    void yesAfterSavingWritesTheFileAndClosesBothWindows() {
        OpenCreatures("Creatures", "name");
        QVERIFY(session_->Save());
        QVERIFY(ask_->isVisible());
        QCOMPARE(Child<QLabel>(*ask_, "Label1")->text(),
                 QString("Would u like to generate Creature.dat file now? "));

        Click(*ask_, "Button1");
        QCOMPARE(sideFileFolder_->Read("Creature.dat"),
                 std::string("448,Rat\r\n25,\"Big Rat\"\r\n,\r\n"));
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{"GENARATION COMPLETE!!!"});
        QVERIFY(!creatures_->isVisible());
        QVERIFY(!ask_->isVisible());
        QCOMPARE(Child<QLabel>(*creatures_, "Label6")->text(),
                 QString("Data gathered, saving file..."));
        QCOMPARE(work_->Table.CurrentRow(), 1);
    }

    void noClosesTheQuestionAndWritesNothing() {
        OpenCreatures("Creatures", "name");
        session_->Save();
        Click(*ask_, "Button2");
        QVERIFY(!ask_->isVisible());
        QVERIFY(!std::filesystem::exists(sideFileFolder_->File("Creature.dat")));
    }

    void aFailedGenerationLeavesBothWindowsOpen() {
        OpenCreatures("Items", "name");  // items read "name{inv}"
        session_->Save();
        Click(*ask_, "Button1");
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{"Field 'name{inv}' not found"});
        QVERIFY(items_->isVisible());
        QVERIFY(ask_->isVisible());
        QCOMPARE(Child<QLabel>(*items_, "Label6")->text(),
                 QString("Gathering Required Data from *.dbc file..."));
        QVERIFY(!std::filesystem::exists(sideFileFolder_->File("Item.dat")));
        QVERIFY(!work_->Table.NotificationsSuspended());
    }

    void otherTablesAskNothing() {
        OpenCreatures("creatures", "name");
        session_->Save();
        QVERIFY(!ask_->isVisible());
    }
};

KELVANE_WINDOW_TEST(DatGenerationTest);

}  // namespace kelvane::testing

#include "DatGenerationTest.moc"
