#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "app/ui/RecordSearchDialog.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"

namespace kelvane::testing {
namespace {

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.itemText(i);
    }
    return items;
}

QRadioButton* OriginChoice(const QDialog& dialog, const char* text) {
    for (QRadioButton* choice :
         Child<QGroupBox>(dialog, "rgPosition")->findChildren<QRadioButton*>()) {
        if (choice->text() == QLatin1String(text)) {
            return choice;
        }
    }
    qFatal("no origin choice %s", text);
}

// What the dialog showed when it opened.
struct ShownDialog {
    QString Caption;
    QString Value;
    QStringList Fields;
    QString Field;
    bool OneField = false;
    bool CaseSensitive = false;
    QStringList Modes;
    int Mode = -1;
    bool FromCurrent = false;
};

ShownDialog ReadDialog(const QDialog& dialog) {
    const QComboBox* fields = Child<QComboBox>(dialog, "cbFields");
    const QComboBox* mode = Child<QComboBox>(dialog, "cbMode");
    return {dialog.windowTitle(),
            Child<QLineEdit>(dialog, "edValue")->text(),
            Items(*fields),
            fields->currentText(),
            Child<QRadioButton>(dialog, "rbOneField")->isChecked(),
            Child<QCheckBox>(dialog, "cbCaseSensitive")->isChecked(),
            Items(*mode),
            mode->currentIndex(),
            OriginChoice(dialog, "from current record")->isChecked()};
}

void ClickButton(const QDialog& dialog, const char* text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(text)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    qFatal("no button %s", text);
}

// Index, Name and Rank; Name holds "Fireball", "Frost Nova", "Frostbolt".
void BuildSpells(RecordTable& table) {
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("Name", FieldKind::ftString, false);
    table.AddFieldDef("Rank", FieldKind::ftInteger, false);
    table.OpenEmpty();
    int rank = 1;
    for (const char* name : {"Fireball", "Frost Nova", "Frostbolt"}) {
        table.Append();
        table.Fields(1).SetAsString(name);
        table.Fields(2).SetAsInteger(rank++);
        table.Post();
    }
    table.First();
}

}  // namespace

class RecordSearchDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RecordTable> table_;
    ScriptedModals modals_;
    SearchSettings settings_;

  private slots:
    void init() {
        table_ = std::make_unique<RecordTable>();
        BuildSpells(*table_);
        modals_ = ScriptedModals();
        settings_ = SearchSettings();
    }

    void opensFilledFromTheSettingsAndCancelKeepsThem() {
        settings_.FieldList = {"Index", "rank", "Name", "ID"};
        settings_.Field = "Name";
        settings_.Value = "frost";
        settings_.CaseSensitive = false;
        settings_.Mode = SearchMode::Exactly;
        settings_.Origin = SearchOrigin::AfterCurrentRecord;
        const SearchSettings before = settings_;
        ShownDialog shown;
        modals_.Scripts.push_back([&](QDialog& dialog) {
            shown = ReadDialog(dialog);
            Child<QLineEdit>(dialog, "edValue")->setText("changed");
            Child<QRadioButton>(dialog, "rbAllFields")->click();
            ClickButton(dialog, "&Cancel");
            return dialog.result();
        });
        QCOMPARE(AskRecordSearch(nullptr, modals_, *table_, settings_), SearchRequest::Cancelled);

        QCOMPARE(modals_.Shown, (std::vector<std::string>{"RecordSearchDialog"}));
        QCOMPARE(shown.Caption, QString("Record search"));
        QCOMPARE(shown.Value, QString("frost"));
        QCOMPARE(shown.Fields, (QStringList{"Index", "rank", "Name", "ID"}));
        QCOMPARE(shown.Field, QString("Name"));
        QVERIFY(shown.OneField);
        QVERIFY(!shown.CaseSensitive);
        QCOMPARE(shown.Modes,
                 (QStringList{"At a beginning of string", "Exactly coincidence", "Any position"}));
        QCOMPARE(shown.Mode, 1);
        QVERIFY(shown.FromCurrent);

        QCOMPARE(settings_.Value, before.Value);
        QCOMPARE(settings_.Field, before.Field);
        QCOMPARE(settings_.FieldList, before.FieldList);
        QCOMPARE(table_->CurrentRow(), 0);
    }

    void firstSearchOffersTheTableColumnsWithDefaults() {
        ShownDialog shown;
        modals_.Scripts.push_back([&](QDialog& dialog) {
            shown = ReadDialog(dialog);
            return int(QDialog::Rejected);
        });
        AskRecordSearch(nullptr, modals_, *table_, settings_);

        QCOMPARE(settings_.FieldList, (std::vector<std::string>{"Index", "Name", "Rank"}));
        QCOMPARE(shown.Fields, (QStringList{"Index", "Name", "Rank"}));
        QCOMPARE(shown.Field, QString("Index"));
        QVERIFY(!shown.OneField);
        QVERIFY(shown.CaseSensitive);
        QCOMPARE(shown.Mode, 2);
        QVERIFY(!shown.FromCurrent);

        // Another table later: the list stays as the first search made it.
        RecordTable other;
        other.AddFieldDef("Index", FieldKind::ftInteger, true);
        other.AddFieldDef("Other", FieldKind::ftInteger, false);
        other.OpenEmpty();
        modals_.Scripts.push_back([&](QDialog& dialog) {
            shown = ReadDialog(dialog);
            return int(QDialog::Rejected);
        });
        AskRecordSearch(nullptr, modals_, other, settings_);
        QCOMPARE(shown.Fields, (QStringList{"Index", "Name", "Rank"}));
    }

    void columnsAreOfferedInColumnOrder() {
        settings_.FieldList = {"Index", "3", "4", "37", "161", "162"};
        ShownDialog shown;
        modals_.Scripts.push_back([&](QDialog& dialog) {
            shown = ReadDialog(dialog);
            return int(QDialog::Rejected);
        });
        AskRecordSearch(nullptr, modals_, *table_, settings_);
        QCOMPARE(shown.Fields, (QStringList{"Index", "3", "4", "37", "161", "162"}));
    }

    void okStoresTheChoicesAndAsksToFind() {
        modals_.Scripts.push_back([](QDialog& dialog) {
            QTest::keyClicks(Child<QLineEdit>(dialog, "edValue"), "FROST");
            QTest::keyClick(Child<QComboBox>(dialog, "cbFields"), Qt::Key_Down);  // "Name"
            Child<QCheckBox>(dialog, "cbCaseSensitive")->setChecked(false);
            Child<QComboBox>(dialog, "cbMode")->setCurrentIndex(0);
            OriginChoice(dialog, "from current record")->click();
            ClickButton(dialog, "&OK");
            return dialog.result();
        });
        QCOMPARE(AskRecordSearch(nullptr, modals_, *table_, settings_), SearchRequest::Find);

        QCOMPARE(settings_.Value, std::string("FROST"));
        QCOMPARE(settings_.Field, std::string("Name"));
        QVERIFY(!settings_.CaseSensitive);
        QCOMPARE(settings_.Mode, SearchMode::AtBeginning);
        QCOMPARE(settings_.Origin, SearchOrigin::AfterCurrentRecord);
        QCOMPARE(table_->CurrentRow(), 0);  // the dialog only asks

        // The next search opens as this one was left.
        ShownDialog shown;
        modals_.Scripts.push_back([&](QDialog& dialog) {
            shown = ReadDialog(dialog);
            return int(QDialog::Rejected);
        });
        AskRecordSearch(nullptr, modals_, *table_, settings_);
        QCOMPARE(shown.Value, QString("FROST"));
        QCOMPARE(shown.Field, QString("Name"));
        QVERIFY(shown.OneField);
    }

    void findNextStoresTheChoicesAndAsksToGoOn() {
        modals_.Scripts.push_back([](QDialog& dialog) {
            QTest::keyClicks(Child<QLineEdit>(dialog, "edValue"), "Frost");
            QTest::mouseClick(Child<QPushButton>(dialog, "FindNext"), Qt::LeftButton);
            return dialog.result();
        });
        QCOMPARE(AskRecordSearch(nullptr, modals_, *table_, settings_), SearchRequest::FindNext);
        QCOMPARE(settings_.Value, std::string("Frost"));
    }

    void allFieldsStoresAnEmptyField() {
        settings_.Field = "Name";
        modals_.Scripts.push_back([](QDialog& dialog) {
            Child<QRadioButton>(dialog, "rbAllFields")->click();
            QLineEdit* value = Child<QLineEdit>(dialog, "edValue");
            value->setText("3");
            QTest::keyClick(value, Qt::Key_Return);  // OK is the default button
            return dialog.result();
        });
        QCOMPARE(AskRecordSearch(nullptr, modals_, *table_, settings_), SearchRequest::Find);
        QCOMPARE(settings_.Field, std::string());
        QCOMPARE(settings_.Value, std::string("3"));
    }
};

KELVANE_WINDOW_TEST(RecordSearchDialogTest);

}  // namespace kelvane::testing

#include "RecordSearchDialogTest.moc"
