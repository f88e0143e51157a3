#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/MainWindow.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "program/Program.h"
#include "shell/ui/QtText.h"
#include "talents/TalentCells.h"
#include "talents/TalentClasses.h"
#include "talents/TalentEditor.h"
#include "talents/ui/DeleteTalentWindow.h"
#include "talents/ui/TalentRanksWindow.h"
#include "talents/ui/TalentTreeWindow.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/TalentSamples.h"

namespace kelvane::testing {
namespace {

// Two Warlock tabs and two Priest tabs; the Warlock's tabs 3 to 5 are new and unnamed.
std::vector<SampleTab> FixtureTabs() {
    return {
        {41, "Affliction", 256, 0, 0},
        {42, "Demonology", 256, 0, 1},
        {61, "Discipline", 16, 0, 0},
        {62, "Holy", 16, 0, 1},
    };
}

// Slot 1 and slot 6 of Affliction, slot 4 of Discipline, slot 9 of Holy.
std::vector<SampleTalent> FixtureTalents() {
    return {
        {1001, 41, 0, 0, {11, 12, 13, 0, 0}},
        {1002, 41, 1, 1, {21, 0, 0, 0, 0}, 1001, 2},
        {2001, 61, 0, 3, {31, 0, 0, 0, 0}},
        {2002, 62, 2, 0, {41, 0, 0, 0, 0}},
    };
}

// The row of the open table whose first column reads id, or -1.
int RecordWithId(const RecordTable& table, int32_t id) {
    for (int row = 0; row < table.RecordCount(); ++row) {
        if (table.IntegerAt(row, 1) == id) {
            return row;
        }
    }
    return -1;
}

// Beside the field on its right, on the same line.
bool IsRightOf(const QRect& button, const QRect& field) {
    return button.left() > field.right() && button.center().y() >= field.top() &&
           button.center().y() <= field.bottom();
}

}  // namespace

// The talent editor's windows in the running program, driven through their controls.
class TalentEditorTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    Program& App() { return run_->App(); }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    TalentTreeWindow& TreeWindow() { return App().TalentTree(); }
    TalentRanksWindow& RanksWindow() { return App().TalentRanks(); }
    DeleteTalentWindow& DeleteWindow() { return App().DeleteTalent(); }
    TalentEditor& Editor() { return App().Talents(); }
    RecordTable& OpenTable() { return App().Work().Table; }
    QLineEdit* Field(const QWidget& window, const char* name) {
        return Child<QLineEdit>(window, name);
    }
    QTabBar* Tabs() { return Child<QWidget>(TreeWindow(), "TabControl1")->findChild<QTabBar*>(); }
    QString MainCaption() { return App().MainWindow().windowTitle(); }

    // Tools > Talent Editor, with both file dialogs answered by the fixture's files.
    void OpenEditor() {
        Dialogs().FileAnswers.push_back(run_->Dir.File("TalentTab.dbc"));
        Dialogs().FileAnswers.push_back(run_->Dir.File("Talent.dbc"));
        App().MainWindow().Menus().TalentEditor->trigger();
        QCoreApplication::processEvents();
    }
    void Click(const QWidget& window, const char* name) {
        QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton);
    }
    // Replaces the field's text by typing over it.
    void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(field, text);
        }
    }
    void PickTab(int index) {
        QTabBar* tabs = Tabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
    // Picks the class by typing its name on the closed box, as a keyboard user does.
    void PickClass(const QString& name) {
        QTest::keyClicks(Child<QComboBox>(TreeWindow(), "ComboBox1"), name);
    }
    void VerifySlot(const char* talent, const char* reqTalent, const char* reqRank,
                    const QString& expectedTalent, const QString& expectedReq,
                    const QString& expectedRank) {
        QCOMPARE(Field(TreeWindow(), talent)->text(), expectedTalent);
        QCOMPARE(Field(TreeWindow(), reqTalent)->text(), expectedReq);
        QCOMPARE(Field(TreeWindow(), reqRank)->text(), expectedRank);
    }
    QStringList RankTexts() {
        QStringList texts;
        for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"}) {
            texts << Field(RanksWindow(), name)->text();
        }
        return texts;
    }

  private slots:
    void init() {
        run_ = std::make_unique<RunningProgram>();
        WriteTalentTab(run_->Dir.File("TalentTab.dbc"), FixtureTabs());
        WriteTalents(run_->Dir.File("Talent.dbc"), FixtureTalents());
    }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        QCOMPARE(Dialogs().FileAnswers.size(), size_t{0});
        run_.reset();
    }

    void windowsHaveTheirSizeAndCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::newRow("editor") << "Form17"
                                << "Talents Editor" << QSize(372, 762);
        QTest::newRow("ranks") << "Form18"
                               << "Ranks" << QSize(134, 175);
        QTest::newRow("delete") << "Form19"
                                << "Form19" << QSize(251, 120);
    }

    void windowsHaveTheirSizeAndCaption() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QWidget* window = nullptr;
        for (QWidget* candidate : App().Windows()) {
            if (candidate->objectName() == name) {
                window = candidate;
            }
        }
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), caption);
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        if (name == "Form17") {  // the editor is sized for the whole tree, and resizable
            QCOMPARE(window->size(), size);
            QCOMPARE(window->minimumWidth(), size.width());
            QVERIFY(window->maximumHeight() > size.height());
        } else {
            QCOMPARE(window->minimumSize(), size);
            QCOMPARE(window->maximumSize(), size);
        }
    }

    // On a screen lower than the tree the slots scroll while the tab's name, its buttons and
    // the tabs stay in sight.
    void aLowWindowKeepsTheTabControlsInSight() {
        OpenEditor();
        TreeWindow().resize(TreeWindow().width(), 500);
        QCoreApplication::processEvents();
        const QRect window = TreeWindow().rect();
        for (const char* name : {"TabName", "SpeedButton30", "SpeedButton31"}) {
            auto* control = Child<QWidget>(TreeWindow(), name);
            const QRect place(control->mapTo(&TreeWindow(), QPoint(0, 0)), control->size());
            QVERIFY2(window.contains(place) && control->isVisible(), name);
        }
        QVERIFY(Tabs()->isVisible());
        QVERIFY(TreeWindow().rect().contains(
            QRect(Tabs()->mapTo(&TreeWindow(), QPoint(0, 0)), Tabs()->size())));
    }

    // Keeping the open table's changes (Cancel) leaves no empty editor behind.
    void keepingTheTablesChangesClosesTheEditor() {
        App().MainWindow().OpenTableFile(run_->Dir.File("TalentTab.dbc"));
        OpenTable().Edit();
        OpenTable().Fields(1).SetAsInteger(999);
        OpenTable().Post();
        Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);

        OpenEditor();

        QVERIFY(!TreeWindow().isVisible());
        QCOMPARE(OpenTable().Fields(1).AsInteger(), 999);
        QCOMPARE(Dialogs().SaveChangesQuestions.size(), size_t{1});
    }

    void editorHasItsClassesTabsAndSlots() {
        OpenEditor();
        auto* classes = Child<QComboBox>(TreeWindow(), "ComboBox1");
        QCOMPARE(classes->count(), static_cast<int>(TalentClasses.size()));
        for (int index = 0; index < classes->count(); ++index) {
            QCOMPARE(classes->itemText(index),
                     ToQt(TalentClasses[static_cast<size_t>(index)].Name));
        }
        QTabBar* tabs = Tabs();
        QCOMPARE(tabs->count(), 5);
        for (int index = 0; index < 5; ++index) {
            QCOMPARE(tabs->tabText(index), QString::number(index + 1));
        }
        QCOMPARE(tabs->shape(), QTabBar::RoundedSouth);

        const auto countNamed = [this](const char* pattern) {
            int count = 0;
            for (const QObject* child : TreeWindow().findChildren<QObject*>(
                     QRegularExpression(QString::fromLatin1(pattern)))) {
                count += child->isWidgetType() ? 1 : 0;
            }
            return count;
        };
        QCOMPARE(countNamed("^Edit\\d+$"), 56);
        QCOMPARE(countNamed("^tp\\d+$"), 28);
        QCOMPARE(countNamed("^t\\d+$"), 28);
        QCOMPARE(countNamed("^SpeedButton\\d+$"), 31);  // OK on 28 slots, SAVE and two deletes
        QCOMPARE(Child<QAbstractButton>(TreeWindow(), "SpeedButton30")->text(), QString("SAVE"));
        QCOMPARE(Child<QAbstractButton>(TreeWindow(), "SpeedButton31")->text(),
                 QString("Delete Tab"));
        QCOMPARE(Child<QAbstractButton>(TreeWindow(), "SpeedButton32")->text(),
                 QString("Delete Talent"));

        // The tab name and the buttons stand under the last slot row, the tabs under them all.
        const QRect lastSlot = GeometryIn(TreeWindow(), *Field(TreeWindow(), "Edit56"));
        const QRect tabName = GeometryIn(TreeWindow(), *Field(TreeWindow(), "TabName"));
        const QRect tabBar = GeometryIn(TreeWindow(), *tabs);
        QVERIFY(tabName.top() > lastSlot.bottom());
        QVERIFY(tabBar.top() > tabName.bottom());
        QVERIFY(TreeWindow().rect().contains(tabBar));
    }

    void ranksWindowHasFiveCaptionedFields() {
        const QFormLayout* layout = RanksWindow().findChild<QFormLayout*>();
        QVERIFY(layout != nullptr);
        for (int rank = 1; rank <= 5; ++rank) {
            QLineEdit* field = Field(RanksWindow(), qPrintable(QStringLiteral("Edit%1").arg(rank)));
            auto* caption = qobject_cast<QLabel*>(layout->labelForField(field));
            QVERIFY(caption != nullptr);
            QCOMPARE(caption->text(), QStringLiteral("Rank %1").arg(rank));
        }
        QVERIFY(RanksWindow().findChildren<QAbstractButton*>().isEmpty());
    }

    // Open the editor, move to another class and tab, place a talent with its ranks, save, and
    // find it there after a reload.
    void talentPlacedWithRanksIsSavedAndShownAgain() {
        Dialogs().FileAnswers.push_back(run_->Dir.File("TalentTab.dbc"));
        Dialogs().FileAnswers.push_back(run_->Dir.File("Talent.dbc"));
        App().MainWindow().Menus().TalentEditor->trigger();
        // The window is up before the file dialogs open over it.
        QVERIFY(TreeWindow().isVisible());
        QVERIFY(Dialogs().FileRequests.empty());
        QCoreApplication::processEvents();
        QCOMPARE(Dialogs().FileRequests.size(), size_t{2});
        QCOMPARE(Dialogs().FileRequests[0].Title, std::string("Find your TalentTab.dbc"));
        QCOMPARE(Dialogs().FileRequests[1].Title, std::string("Find your Talent.dbc"));
        QCOMPARE(Field(TreeWindow(), "TabName")->text(), QString("Affliction"));
        VerifySlot("Edit1", "Edit2", "tp1", "1001", "0", "1");
        VerifySlot("Edit12", "Edit11", "tp6", "1002", "1001", "3");
        QVERIFY(MainCaption().endsWith(" - Talent"));

        // Showing it again while it is open asks for nothing.
        App().MainWindow().Menus().TalentEditor->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(Dialogs().FileRequests.size(), size_t{2});

        PickClass("Priest");
        QCOMPARE(Child<QComboBox>(TreeWindow(), "ComboBox1")->currentIndex(), 1);
        QCOMPARE(Field(TreeWindow(), "TabName")->text(), QString("Discipline"));
        VerifySlot("Edit7", "Edit8", "tp4", "2001", "0", "1");
        VerifySlot("Edit1", "Edit2", "tp1", "", "", "");

        PickTab(1);
        QCOMPARE(Tabs()->currentIndex(), 1);
        QCOMPARE(Field(TreeWindow(), "TabName")->text(), QString("Holy"));
        VerifySlot("Edit17", "Edit18", "tp9", "2002", "0", "1");
        VerifySlot("Edit7", "Edit8", "tp4", "", "", "");

        Type(Field(TreeWindow(), "Edit16"), "777");
        Type(Field(TreeWindow(), "Edit15"), "2002");
        Type(Field(TreeWindow(), "tp8"), "2");
        Click(TreeWindow(), "SpeedButton9");
        QVERIFY(!RanksWindow().isVisible());

        Click(TreeWindow(), "t8");
        QVERIFY(RanksWindow().isVisible());
        QCOMPARE(RankTexts(), QStringList({"0", "0", "0", "0", "0"}));
        const QStringList ranks = {"51", "52", "53", "54", "55"};
        for (int rank = 0; rank < 5; ++rank) {
            Type(Field(RanksWindow(), qPrintable(QStringLiteral("Edit%1").arg(rank + 1))),
                 ranks[rank]);
        }
        RanksWindow().close();
        QVERIFY(!RanksWindow().isVisible());

        Click(TreeWindow(), "SpeedButton30");
        QVERIFY(MainCaption().endsWith(" - Talent"));

        PickTab(0);
        QCOMPARE(Field(TreeWindow(), "TabName")->text(), QString("Discipline"));
        VerifySlot("Edit16", "Edit15", "tp8", "", "", "");
        PickTab(1);
        VerifySlot("Edit16", "Edit15", "tp8", "777", "2002", "2");
        Click(TreeWindow(), "t8");
        QCOMPARE(RankTexts(), ranks);
        RanksWindow().close();

        // The reload read the saved Talent.dbc, which the main window now shows.
        const int row = RecordWithId(OpenTable(), 777);
        QVERIFY(row >= 0);
        QCOMPARE(OpenTable().IntegerAt(row, TalentCell::Tab), 62);
        for (int rank = 0; rank < 5; ++rank) {
            QCOMPARE(OpenTable().IntegerAt(row, TalentCell::FirstRank + rank), 51 + rank);
        }
        QVERIFY(MainCaption().endsWith(" - Talent"));
        QCOMPARE(Dialogs().Messages, std::vector<std::string>{});
    }

    // Each slot's fields and buttons act on that slot, whatever its irregular numbering.
    void slotControlsActOnTheirSlot_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("talent");
        QTest::addColumn<QString>("reqTalent");
        QTest::addColumn<QString>("reqRank");
        QTest::addColumn<QString>("ranksButton");
        QTest::addColumn<QString>("okButton");
        QTest::newRow("1") << 1 << "Edit1"
                           << "Edit2"
                           << "tp1"
                           << "t1"
                           << "SpeedButton2";
        QTest::newRow("4") << 4 << "Edit7"
                           << "Edit8"
                           << "tp4"
                           << "t4"
                           << "SpeedButton5";
        QTest::newRow("6") << 6 << "Edit12"
                           << "Edit11"
                           << "tp6"
                           << "t6"
                           << "SpeedButton7";
        QTest::newRow("11") << 11 << "Edit21"
                            << "Edit22"
                            << "tp11"
                            << "t11"
                            << "SpeedButton12";
        QTest::newRow("20") << 20 << "Edit40"
                            << "Edit39"
                            << "tp20"
                            << "t20"
                            << "SpeedButton21";
        QTest::newRow("28") << 28 << "Edit56"
                            << "Edit55"
                            << "tp28"
                            << "t28"
                            << "SpeedButton29";
    }

    void slotControlsActOnTheirSlot() {
        QFETCH(int, slot);
        QFETCH(QString, talent);
        QFETCH(QString, reqTalent);
        QFETCH(QString, reqRank);
        QFETCH(QString, ranksButton);
        QFETCH(QString, okButton);
        OpenEditor();

        // The talent field above the required-talent field above Req. N, the buttons beside.
        const QRect talentField =
            GeometryIn(TreeWindow(), *Field(TreeWindow(), qPrintable(talent)));
        const QRect reqField =
            GeometryIn(TreeWindow(), *Field(TreeWindow(), qPrintable(reqTalent)));
        const QRect rankField = GeometryIn(TreeWindow(), *Field(TreeWindow(), qPrintable(reqRank)));
        QCOMPARE(talentField.width(), 35);
        QCOMPARE(rankField.width(), 17);
        QVERIFY(talentField.bottom() < reqField.top() && reqField.bottom() < rankField.top());
        auto* ok = Child<QAbstractButton>(TreeWindow(), qPrintable(okButton));
        auto* ranks = Child<QAbstractButton>(TreeWindow(), qPrintable(ranksButton));
        QCOMPARE(ok->text(), QString("OK"));
        QCOMPARE(ranks->text(), QString("S"));
        QVERIFY(IsRightOf(GeometryIn(TreeWindow(), *ok), talentField));
        QVERIFY(IsRightOf(GeometryIn(TreeWindow(), *ranks), reqField));

        QTest::mouseClick(ranks, Qt::LeftButton);
        QCOMPARE(Editor().RanksBoundSlot(), std::optional<int>(slot));
        RanksWindow().close();

        const QString id = QString::number(9000 + slot);
        Type(Field(TreeWindow(), qPrintable(talent)), id);
        Type(Field(TreeWindow(), qPrintable(reqTalent)), "1001");
        Type(Field(TreeWindow(), qPrintable(reqRank)), "2");
        QCOMPARE(Editor().Slot(slot).Talent, FromQt(id));
        QCOMPARE(Editor().Slot(slot).ReqTalent, std::string("1001"));
        QCOMPARE(Editor().Slot(slot).ReqRank, std::string("2"));

        QTest::mouseClick(ok, Qt::LeftButton);
        const WorkingTable& talents = Editor().Talents();
        const int row = talents.FindRow(TalentCell::Id, FromQt(id));
        QVERIFY(row >= 0);
        QCOMPARE(talents.Cell(TalentCell::Row, row), std::to_string(SlotRow(slot)));
        QCOMPARE(talents.Cell(TalentCell::Column, row), std::to_string(SlotColumn(slot)));
    }

    void okWithoutTabNameSaysSoAndCommitsNothing() {
        OpenEditor();
        PickTab(2);  // a new tab, not named yet
        QCOMPARE(Field(TreeWindow(), "TabName")->text(), QString());
        Type(Field(TreeWindow(), "Edit1"), "555");
        Click(TreeWindow(), "SpeedButton2");
        QCOMPARE(Dialogs().Messages,
                 std::vector<std::string>{"You need to enter Tab Name first!!!"});
        QCOMPARE(Editor().Talents().FindRow(TalentCell::Id, "555"), -1);

        // Once named, the same OK goes through.
        Type(Field(TreeWindow(), "TabName"), "Destruction");
        Click(TreeWindow(), "SpeedButton2");
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        QVERIFY(Editor().Talents().FindRow(TalentCell::Id, "555") >= 0);
    }

    // "Delete" deletes the typed ID and closes the window; "Cancel" only closes it. The field
    // keeps its text for the next use either way.
    void deleteWindowButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("deletes");
        QTest::newRow("Delete") << "Button1" << true;
        QTest::newRow("Cancel") << "Button2" << false;
    }

    void deleteWindowButtons() {
        QFETCH(QString, button);
        QFETCH(bool, deletes);
        OpenEditor();
        Click(TreeWindow(), "SpeedButton32");
        QVERIFY(DeleteWindow().isVisible());
        Type(Field(DeleteWindow(), "Edit1"), "1002");
        Click(DeleteWindow(), qPrintable(button));
        QVERIFY(!DeleteWindow().isVisible());

        VerifySlot("Edit12", "Edit11", "tp6", deletes ? "" : "1002", deletes ? "" : "1001",
                   deletes ? "" : "3");
        VerifySlot("Edit1", "Edit2", "tp1", "1001", "0", "1");
        QCOMPARE(RecordWithId(OpenTable(), 1002) >= 0, !deletes);
        QVERIFY(MainCaption().endsWith(" - Talent"));

        Click(TreeWindow(), "SpeedButton32");
        QCOMPARE(Field(DeleteWindow(), "Edit1")->text(), QString("1002"));
        QCOMPARE(Dialogs().Messages, std::vector<std::string>{});
    }
};

KELVANE_WINDOW_TEST(TalentEditorTest);

}  // namespace kelvane::testing

#include "TalentEditorTest.moc"
