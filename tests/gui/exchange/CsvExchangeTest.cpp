#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "app/ui/MainWindow.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "shell/ui/QtDialogs.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"

namespace kelvane::testing {

// Comma-separated text out of and into the running program: the header check box of the export's
// save dialog, and the import from the Import menu.
class CsvExchangeTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    RecordTable& Table() { return run_->App().Work().Table; }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    void Trigger(const char* name) { Child<QAction>(Window(), name)->trigger(); }
    QString Result() { return Child<QLabel>(Window(), "CommandResultLabel")->text(); }

    void OpenSpell() { run_->OpenWithMenu(WriteSpellSample(run_->Dir)); }

    // Exports through the entry, the dialog answered with the file and, when given, the box.
    std::string Export(const char* entry, const char* file, std::optional<bool> box) {
        Dialogs().FileAnswers.push_back(run_->Dir.File(file));
        if (box) {
            Dialogs().CheckBoxAnswers.push_back(*box);
        }
        Trigger(entry);
        return run_->Dir.Read(file);
    }

    // Answers the real open dialog the next command shows as a user would: clicks the named
    // check boxes, enters the file and clicks Open; states holds each box's state as it opened.
    void AnswerOpenDialog(const std::string& path, std::vector<const char*> clicks,
                          std::vector<bool>& states) {
        QTimer::singleShot(0, [path, clicks, &states] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            for (const char* name : {"HeaderCheckBox", "ByPositionCheckBox"}) {
                states.push_back(Child<QCheckBox>(*dialog, name)->isChecked());
            }
            for (const char* name : clicks) {
                auto* box = Child<QCheckBox>(*dialog, name);
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            }
            Child<QLineEdit>(*dialog, "fileNameEdit")->setText(QString::fromStdString(path));
            QTest::mouseClick(
                Child<QDialogButtonBox>(*dialog, "buttonBox")->button(QDialogButtonBox::Open),
                Qt::LeftButton);
        });
    }

  private slots:
    void init() { run_ = std::make_unique<RunningProgram>(); }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void theSaveDialogsBoxWritesAHeaderAndIsRememberedForTheNextExport() {
        OpenSpell();
        const std::string records =
            "16,Fireball,1.5,-1\r\n255,\"Frost Nova\",0.100000001490116,7\r\n0,,-2.25,0\r\n";

        QCOMPARE(Export("MenuItemExporttotxt", "plain.csv", std::nullopt), records);
        const FileDialogRequest& first = Dialogs().FileRequests.back();
        QCOMPARE(first.CheckBoxes.size(), size_t{1});
        QCOMPARE(first.CheckBoxes[0].Label,
                 std::string("Write the column names as the first line"));
        QVERIFY(!first.CheckBoxes[0].Checked);

        QCOMPARE(Export("MenuItemExporttotxt", "header.csv", true),
                 "ID,Name,Speed,Rank\r\n" + records);

        // The box opens as it was left; untouched, the next export has the header too.
        Table().MoveTo(1);
        QCOMPARE(Export("Exportselectedline", "line.csv", std::nullopt),
                 std::string("ID,Name,Speed,Rank\r\n255,\"Frost Nova\",0.100000001490116,7\r\n"));
        QVERIFY(Dialogs().FileRequests.back().CheckBoxes[0].Checked);
        QCOMPARE(Result(), QString("Exported 2 lines to line.csv"));
    }

    void theImportMenuReadsAFileByKeyAsOneUndoStep() {
        OpenSpell();
        auto* importMenu = Child<QMenu>(Window(), "Import1");
        QVERIFY(importMenu->actions().contains(Child<QAction>(Window(), "MenuItemImportCsv")));
        QCOMPARE(Child<QAction>(Window(), "MenuItemImportCsv")->text(),
                 QString("Comma-separated text (CSV)..."));
        run_->Dir.Write("in.csv", "rank,name,id\n9,Flame,16\n1,Spark,77\n");
        Dialogs().FileAnswers.push_back(run_->Dir.File("in.csv"));
        Dialogs().CheckBoxAnswers.push_back(true);

        Trigger("MenuItemImportCsv");

        QVERIFY(Dialogs().Messages.empty());
        const FileDialogRequest& request = Dialogs().FileRequests.back();
        QCOMPARE(request.CheckBoxes.size(), size_t{2});
        QCOMPARE(request.CheckBoxes[0].Label, std::string("The first line names the columns"));
        QCOMPARE(request.CheckBoxes[1].Label,
                 std::string("Match rows to records by position (row N changes record N)"));
        QVERIFY(!request.CheckBoxes[1].Checked);
        QCOMPARE(Table().RecordCount(), 4);
        QCOMPARE(Table().StringAt(0, 2), std::string_view("Flame"));
        QCOMPARE(Table().IntegerAt(0, 4), 9);
        QCOMPARE(Table().StringAt(3, 2), std::string_view("Spark"));
        QCOMPARE(Result(), QString("Read 2 records from in.csv: changed 1, added 1, unchanged 0"));
        QCOMPARE(Child<QAction>(Window(), "MenuItemUndo")->text(), QString("&Undo Import CSV"));

        Trigger("MenuItemUndo");
        QCOMPARE(Table().RecordCount(), 3);
        QCOMPARE(Table().StringAt(0, 2), std::string_view("Fireball"));
    }

    void aBadFileIsNamedAndChangesNothing() {
        OpenSpell();
        run_->Dir.Write("in.csv", "16,Flame,1,2\n17,Spark,fast,2\n");
        Dialogs().FileAnswers.push_back(run_->Dir.File("in.csv"));

        Trigger("MenuItemImportCsv");

        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(Dialogs().Messages[0]),
                 QString::fromStdString(run_->Dir.File("in.csv")) +
                     " line 2, column Speed: 'fast' is not a valid floating point value for "
                     "field 'Speed(float)'");
        QCOMPARE(Table().StringAt(0, 2), std::string_view("Fireball"));
        QCOMPARE(Table().RecordCount(), 3);
        QVERIFY(!Table().Modified());
    }

    // A table whose first column repeats goes out with a header line: by key it cannot come
    // back, and the message says where the other choice is; with the position box ticked in the
    // real open dialog it comes back unchanged, and the box stays ticked for the next import.
    void aTableWithRepeatedKeysComesBackWhenMatchedByPosition() {
        const std::string table = run_->Dir.File("ItemSubClass.dbc");
        run_->Dir.Write("ItemSubClass.dbc", SubClassSample().Bytes());
        WriteFieldDefs(table, SubClassSampleFields());
        run_->OpenWithMenu(table);
        const std::string csv = run_->Dir.File("classes.csv");
        Export("MenuItemExporttotxt", "classes.csv", true);
        Dialogs().RealOpenDialog = [](const FileDialogRequest& request) {
            return QtDialogs().ChooseOpenFile(request);
        };
        std::vector<bool> states;

        AnswerOpenDialog(csv, {}, states);
        Trigger("MenuItemImportCsv");
        QCOMPARE(states, (std::vector<bool>{true, false}));
        QCOMPARE(
            Dialogs().Messages,
            std::vector<std::string>{
                csv + " lines 2, 3 and 4: the key '0' stands on each of them and on records 1, 2 "
                      "and 3 of the table, so they cannot each be matched to a record by key; 1 "
                      "more key repeats as well. Nothing was changed. To match rows to records by "
                      "position instead (the order our exports write), import again and tick "
                      "\"Match rows to records by position (row N changes record N)\" in the open "
                      "dialog."});
        Dialogs().Messages.clear();
        QVERIFY(!Table().Modified());

        AnswerOpenDialog(csv, {"ByPositionCheckBox"}, states);
        Trigger("MenuItemImportCsv");
        QVERIFY(Dialogs().Messages.empty());
        QCOMPARE(Result(),
                 QString("Read 5 records from classes.csv: changed 0, added 0, unchanged 5"));
        QCOMPARE(Table().StringAt(0, 3), std::string_view("Consumable"));
        QVERIFY(!Table().Modified());

        AnswerOpenDialog(csv, {}, states);
        Trigger("MenuItemImportCsv");
        QCOMPARE(states, (std::vector<bool>{true, false, true, false, true, true}));
        QVERIFY(Dialogs().Messages.empty());
    }

    // The Qt dialog itself: the box is in the dialog, and its state comes back on acceptance.
    void qtFileDialogShowsTheBoxAndHandsBackItsState() {
        const std::string path = run_->Dir.File("out.csv");
        QString label;
        QTimer::singleShot(0, [&path, &label] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* box = Child<QCheckBox>(*dialog, "HeaderBox");
            label = box->text();
            QVERIFY(!box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            Child<QLineEdit>(*dialog, "fileNameEdit")->setText(QString::fromStdString(path));
            QTest::mouseClick(
                Child<QDialogButtonBox>(*dialog, "buttonBox")->button(QDialogButtonBox::Save),
                Qt::LeftButton);
        });
        QtDialogs dialogs;
        bool answer = false;
        FileDialogRequest request{"Export to", {{"*.csv", "*.csv"}}, "csv", ""};
        request.CheckBoxes = {{"HeaderBox", "Write the column names", false, &answer}};

        const std::optional<std::string> chosen = dialogs.ChooseSaveFile(request);

        QCOMPARE(chosen, std::optional<std::string>(path));
        QCOMPARE(label, QString("Write the column names"));
        QVERIFY(answer);
    }
};

KELVANE_WINDOW_TEST(CsvExchangeTest);

}  // namespace kelvane::testing

#include "CsvExchangeTest.moc"
