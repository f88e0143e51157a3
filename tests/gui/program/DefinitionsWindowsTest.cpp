#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/definitions/DefinitionSettingsFile.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/DbdSamples.h"

namespace kelvane::testing {
namespace {

constexpr int kTitleColumn = 2;
constexpr int kRankColumn = 4;
constexpr int kFieldsNameColumn = 1;
constexpr int kFieldsKindColumn = 2;
constexpr int kFieldsBitsColumn = 4;

}  // namespace

// What the editor shows of the .dbd definitions: the Options entries and the command line that
// set the folder and build, the status bar, the column titles' tooltips, and the Fields
// dialog's "From definitions".
class DefinitionsWindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> defs_;
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    Workspace& Work() { return run_->App().Work(); }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    void Trigger(const char* name) { Child<QAction>(Window(), name)->trigger(); }
    QLabel& DefinitionsPart() { return *Child<QLabel>(Window(), "DefinitionsLabel"); }
    QString TitleTip(int column) {
        return Window()
            .Grid()
            .model()
            ->headerData(column, Qt::Horizontal, Qt::ToolTipRole)
            .toString();
    }
    // The sample without a Spell.ini beside it, so only a .dbd layout can name its columns.
    static std::string WriteBareSpell(const TempDir& dir) {
        dir.Write("Spell.dbc", SpellSample().Bytes());
        return dir.File("Spell.dbc");
    }
    void OpenBareSpell() { run_->OpenWithMenu(WriteBareSpell(run_->Dir)); }
    void ChooseDefinitionsFolder(bool reload) {
        Dialogs().FolderAnswers.push_back(defs_->Path());
        Dialogs().YesNoAnswers.push_back(reload);
        Trigger("MenuItemDefinitionsFolder");
    }
    // Opens Edit > Fields..., clicks the button of that name, and cancels or confirms the dialog
    // with what the rows then hold.
    QTableWidget* FillFieldsDialog(const char* button, bool confirm,
                                   QStringList* namesShown = nullptr) {
        QTableWidget* shown = nullptr;
        run_->Modals.Scripts.push_back([=, &shown](QDialog& dialog) {
            shown = Child<QTableWidget>(dialog, "sg");
            QTest::mouseClick(Child<QAbstractButton>(dialog, button), Qt::LeftButton);
            if (namesShown != nullptr) {
                *namesShown = ColumnTexts(*shown, kFieldsNameColumn);
            }
            QTest::mouseClick(Child<QAbstractButton>(dialog, confirm ? "BitBtn1" : "BitBtn2"),
                              Qt::LeftButton);
            return dialog.result();
        });
        Trigger("MenuItemFields");
        return shown;
    }

  private slots:
    void init() {
        // Every test starts with nothing remembered by the one before.
        SaveDefinitionSettings({});
        defs_ = std::make_unique<TempDir>();
        defs_->Write("Spell.dbd", SpellSampleDbd());
        run_ = std::make_unique<RunningProgram>();
    }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        QCOMPARE(run_->Modals.Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void theOptionsSetTheFolderAndBuildAndReloadTheOpenTable() {
        OpenBareSpell();
        // The texts of the block are no column's as long as every column is an integer.
        QCOMPARE(DefinitionsPart().text(),
                 QString("No definitions; 1 column looks like text, texts do not fit"));
        QCOMPARE(TitleTip(kTitleColumn), QString("1 (integer)"));

        ChooseDefinitionsFolder(true);
        QCOMPARE(Dialogs().Questions.back(),
                 std::string("Reload Spell.dbc with the new definitions?"));
        QCOMPARE(DefinitionsPart().text(),
                 QString("Spell.dbd, build 3.3.5.12340, chosen without a build"));
        QCOMPARE(Work().Table.ColumnName(kTitleColumn), std::string("Title"));
        QCOMPARE(TitleTip(kTitleColumn), QString("Title (text)\nwhat the spell book shows"));
        QCOMPARE(TitleTip(kRankColumn), QString("Rank (integer)\nRefers to SpellRank::ID"));
        QCOMPARE(TitleTip(1), QString("ID (integer)\nKey"));
        QCOMPARE(LoadDefinitionSettings().DbdFolder, defs_->Path());

        // A build that is no build is refused and changes nothing; then one whose layout does
        // not fit the file gives way to the one that does, and the tooltip says so.
        Dialogs().TextAnswers.push_back("1.12");
        Trigger("MenuItemClientBuild");
        QVERIFY(Dialogs().Messages.back().find("'1.12' is not a client build") !=
                std::string::npos);
        QVERIFY(!Work().Settings.Build.has_value());

        Dialogs().TextAnswers.push_back("1.12.1.5875");
        Dialogs().YesNoAnswers.push_back(true);
        Trigger("MenuItemClientBuild");
        QCOMPARE(Dialogs().TextQuestions.back().substr(Dialogs().TextQuestions.back().size() - 3),
                 std::string(" []"));
        QCOMPARE(DefinitionsPart().text(), QString("Spell.dbd, build 3.3.5.12340"));
        QVERIFY2(DefinitionsPart().toolTip().contains("1.12.1.5875"),
                 qPrintable(DefinitionsPart().toolTip()));
        QVERIFY(Work().Settings.Build.has_value());
        QCOMPARE(Work().Settings.Build->Text(), std::string("1.12.1.5875"));
    }

    void theCommandLineTakesTheFolderAndBuildAndRemembersThem() {
        const TempDir tables;
        const std::string path = WriteBareSpell(tables);
        run_ = std::make_unique<RunningProgram>(
            std::vector<std::string>{"--defs", defs_->Path(), "--build", "3.3.5.12340", path});
        Window().show();
        QTRY_COMPARE(Work().Table.RecordCount(), 3);
        QCOMPARE(Work().Table.ColumnName(kTitleColumn), std::string("Title"));
        QCOMPARE(DefinitionsPart().text(), QString("Spell.dbd, build 3.3.5.12340"));
        const DefinitionSettings remembered = LoadDefinitionSettings();
        QCOMPARE(remembered.DbdFolder, defs_->Path());
        QVERIFY(remembered.Build.has_value());
        QCOMPARE(remembered.Build->Text(), std::string("3.3.5.12340"));

        // The next start without flags keeps them.
        run_->Restart();
        QCOMPARE(Work().Settings.DbdFolder, defs_->Path());
    }

    void fromDefinitionsFillsTheFieldsDialogForTheUserToSave() {
        OpenBareSpell();
        // No folder yet: the reason is shown and the rows stay.
        QStringList names;
        FillFieldsDialog("FromDefinitionsButton", false, &names);
        QVERIFY(Dialogs().Messages.back().find("No definitions folder") != std::string::npos);
        QCOMPARE(names, QStringList({"0", "1", "2", "3"}));

        ChooseDefinitionsFolder(false);
        QCOMPARE(Work().Table.ColumnName(kTitleColumn), std::string("1"));
        QTableWidget* rows = FillFieldsDialog("FromDefinitionsButton", true, &names);
        QCOMPARE(names, QStringList({"ID", "Title", "Speed", "Rank"}));
        QCOMPARE(ColumnTexts(*rows, kFieldsKindColumn),
                 QStringList({"ftInteger", "ftString", "ftFloat", "ftInteger"}));
        QCOMPARE(ColumnTexts(*rows, kFieldsBitsColumn).front(), QString("32"));

        // OK saved them as Spell.ini, which the reload now takes.
        QVERIFY(run_->Dir.Read("Spell.ini").find("Title") != std::string::npos);
        QCOMPARE(DefinitionsPart().text(), QString("Spell.ini"));
        QCOMPARE(Work().Table.StringAt(0, kTitleColumn), std::string_view("Fireball"));
    }

    void guessFillsTheKindsForTheUserToCheck() {
        OpenBareSpell();
        QTableWidget* rows = FillFieldsDialog("GuessButton", true);
        QCOMPARE(ColumnTexts(*rows, kFieldsKindColumn),
                 QStringList({"ftInteger", "ftString", "ftFloat", "ftInteger"}));
        QCOMPARE(ColumnTexts(*rows, kFieldsNameColumn), QStringList({"0", "1", "2", "3"}));
        QCOMPARE(Work().Table.StringAt(0, kTitleColumn), std::string_view("Fireball"));
        QCOMPARE(DefinitionsPart().text(), QString("Spell.ini"));
    }
};

KELVANE_WINDOW_TEST(DefinitionsWindowsTest);

}  // namespace kelvane::testing

#include "DefinitionsWindowsTest.moc"
