#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ui/RecordTableModel.h"
#include "core/base/DecimalSeparator.h"
#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/WindowTests.h"

using TableAction = std::function<void(kelvane::RecordTable&)>;
Q_DECLARE_METATYPE(TableAction)

namespace kelvane::testing {
namespace {

// The first cell where the model and the table disagree, or an empty text.
QString MirrorMismatch(const RecordTableModel& model, const RecordTable& table) {
    if (model.rowCount() != table.RowCount() || model.columnCount() != table.FieldCount()) {
        return QStringLiteral("model %1x%2, table %3x%4")
            .arg(model.rowCount())
            .arg(model.columnCount())
            .arg(table.RowCount())
            .arg(table.FieldCount());
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.FieldCount(); ++column) {
            const QString shown = model.index(row, column).data().toString();
            const QString expected = ToQt(table.DisplayText(row, column));
            if (shown != expected) {
                return QStringLiteral("cell %1,%2 shows '%3', table has '%4'")
                    .arg(row)
                    .arg(column)
                    .arg(shown, expected);
            }
        }
    }
    return {};
}

void SetIndex(RecordTable& table, int index) {
    table.Fields(kIndex).SetAsInteger(index);
}

QString Span(int first, int last) {
    return QStringLiteral("%1-%2").arg(first).arg(last);
}

QString CellSpan(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    return QStringLiteral("%1,%2-%3,%4")
        .arg(topLeft.row())
        .arg(topLeft.column())
        .arg(bottomRight.row())
        .arg(bottomRight.column());
}

// Writes down the model's change signals in the order they come.
class ModelSignalLog {
  public:
    QStringList Heard;

    explicit ModelSignalLog(QAbstractItemModel& model) {
        connect(model, &QAbstractItemModel::dataChanged,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    Heard << "data " + CellSpan(topLeft, bottomRight);
                });
        connect(model, &QAbstractItemModel::headerDataChanged,
                [this](Qt::Orientation orientation, int first, int last) {
                    const bool rows = orientation == Qt::Vertical;
                    Heard << (rows ? "rowTitles " : "titles ") + Span(first, last);
                });
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted,
                [this](const QModelIndex&, int first, int last) {
                    Heard << "inserting " + Span(first, last);
                });
        connect(model, &QAbstractItemModel::rowsInserted,
                [this](const QModelIndex&, int first, int last) {
                    Heard << "inserted " + Span(first, last);
                });
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved,
                [this](const QModelIndex&, int first, int last) {
                    Heard << "removing " + Span(first, last);
                });
        connect(model, &QAbstractItemModel::rowsRemoved,
                [this](const QModelIndex&, int first, int last) {
                    Heard << "removed " + Span(first, last);
                });
        connect(model, &QAbstractItemModel::rowsAboutToBeMoved,
                [this](const QModelIndex&, int first, int, const QModelIndex&, int before) {
                    Heard << QStringLiteral("moving %1 before %2").arg(first).arg(before);
                });
        connect(model, &QAbstractItemModel::rowsMoved,
                [this](const QModelIndex&, int first, int, const QModelIndex&, int before) {
                    Heard << QStringLiteral("moved %1 before %2").arg(first).arg(before);
                });
        connect(model, &QAbstractItemModel::modelAboutToBeReset,
                [this] { Heard << QStringLiteral("resetting"); });
        connect(model, &QAbstractItemModel::modelReset,
                [this] { Heard << QStringLiteral("reset"); });
    }
    ModelSignalLog(const ModelSignalLog&) = delete;
    ModelSignalLog& operator=(const ModelSignalLog&) = delete;

  private:
    template <typename Signal, typename Slot>
    void connect(QAbstractItemModel& model, Signal signal, Slot slot) {
        QObject::connect(&model, signal, &receiver_, slot);
    }

    QObject receiver_;  // ends the connections with the log
};

}  // namespace

class RecordTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        sample_ = std::make_unique<OpenedSpellSample>();
        model_ = std::make_unique<RecordTableModel>(sample_->Table(), sample_->Dialogs);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model_.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    void cleanup() {
        tester_.reset();
        model_.reset();
        sample_.reset();
    }

    void showsCellsAsTheGridDisplaysThem_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        const int left = (Qt::AlignLeft | Qt::AlignVCenter).toInt();
        const int right = (Qt::AlignRight | Qt::AlignVCenter).toInt();
        QTest::newRow("Index") << 2 << kIndex << "2" << right;
        QTest::newRow("hex upper case") << 1 << kId << "FF" << right;
        QTest::newRow("hex zero") << 2 << kId << "0" << right;
        QTest::newRow("string") << 1 << kName << "Frost Nova" << left;
        QTest::newRow("empty string") << 2 << kName << "" << left;
        QTest::newRow("float right-aligned") << 2 << kSpeed << "-2.25" << right;
        QTest::newRow("float of a 32-bit cell") << 1 << kSpeed << "0.100000001490116" << right;
        QTest::newRow("negative integer") << 0 << kRank << "-1" << right;
    }

    void showsCellsAsTheGridDisplaysThem() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, alignment);
        const QModelIndex cell = model_->index(row, column);
        QCOMPARE(cell.data(Qt::DisplayRole).toString(), text);
        QCOMPARE(cell.data(Qt::EditRole).toString(), text);
        QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), alignment);
        QVERIFY(cell.flags().testFlag(Qt::ItemIsEditable));
    }

    void titlesAreTheColumnCaptions() {
        QStringList titles;
        for (int column = 0; column < model_->columnCount(); ++column) {
            titles << model_->headerData(column, Qt::Horizontal).toString();
        }
        QCOMPARE(titles, QStringList({"Index", "ID(hex)", "Name", "Speed(float)", "Rank"}));
    }

    // Row titles number the records from 1 in table order, as the status bar does, and mark
    // the current one.
    void rowTitlesNumberTheRecordsAndMarkTheCurrentOne() {
        RecordTable& table = sample_->Table();
        auto rowTitle = [this](int row) {
            return model_->headerData(row, Qt::Vertical).toString();
        };
        QCOMPARE(rowTitle(0), QString::fromUtf8("\u25B6 1"));
        QCOMPARE(rowTitle(1), QStringLiteral("2"));

        QSignalSpy headerSpy(model_.get(), &QAbstractItemModel::headerDataChanged);
        table.MoveTo(1);
        table.Edit();
        QCOMPARE(rowTitle(0), QStringLiteral("1"));
        QCOMPARE(rowTitle(1), QString::fromUtf8("\u270E 2"));
        QVERIFY(headerSpy.count() >= 2);

        table.Cancel();
        table.Append();
        QCOMPARE(rowTitle(3), QStringLiteral("* 4"));
        QCOMPARE(rowTitle(1), QStringLiteral("2"));
    }

    void tableChangesArriveAsPreciseSignals_data() {
        QTest::addColumn<TableAction>("action");
        QTest::addColumn<int>("inserts");
        QTest::addColumn<int>("removals");
        QTest::addColumn<int>("resets");

        QTest::newRow("append") << TableAction([](RecordTable& t) { t.Append(); }) << 1 << 0 << 0;
        QTest::newRow("insert at the cursor") << TableAction([](RecordTable& t) {
            t.MoveTo(1);
            t.Insert();
        }) << 1 << 0 << 0;
        QTest::newRow("cancelled insert") << TableAction([](RecordTable& t) {
            t.Insert();
            t.Cancel();
        }) << 1 << 1 << 0;
        QTest::newRow("untouched insert left") << TableAction([](RecordTable& t) {
            t.Append();
            t.First();
        }) << 1 << 1 << 0;
        QTest::newRow("posted insert stays") << TableAction([](RecordTable& t) {
            t.Append();
            t.Fields(kRank).SetAsInteger(5);
            t.Post();
        }) << 1 << 0 << 0;
        QTest::newRow("posted insert moves up") << TableAction([](RecordTable& t) {
            t.Append();
            SetIndex(t, 0);
            t.Post();
        }) << 1 << 0 << 0;
        QTest::newRow("edited record moves down") << TableAction([](RecordTable& t) {
            t.Edit();
            SetIndex(t, 7);
            t.Post();
        }) << 0 << 0 << 0;
        QTest::newRow("edited record moves up") << TableAction([](RecordTable& t) {
            t.Last();
            t.Edit();
            SetIndex(t, -4);
            t.Post();
        }) << 0 << 0 << 0;
        QTest::newRow("moved record posted by an insert") << TableAction([](RecordTable& t) {
            t.Edit();
            SetIndex(t, 9);
            t.Insert();
        }) << 1 << 0 << 0;
        QTest::newRow("cancelled edit") << TableAction([](RecordTable& t) {
            t.MoveTo(1);
            t.Edit();
            t.Fields(kName).SetAsString("Blizzard");
            t.Cancel();
        }) << 0 << 0 << 0;
        QTest::newRow("delete in the middle") << TableAction([](RecordTable& t) {
            t.MoveTo(1);
            t.Delete();
        }) << 0 << 1 << 0;
        QTest::newRow("delete the last") << TableAction([](RecordTable& t) {
            t.Last();
            t.Delete();
        }) << 0 << 1 << 0;
        QTest::newRow("emptied, then a record added") << TableAction([](RecordTable& t) {
            t.DeleteAllRecords();
            t.Insert();
            t.Post();
        }) << 1 << 1 << 0;
        QTest::newRow("suspended batch") << TableAction([](RecordTable& t) {
            t.SuspendNotifications();
            t.Append();
            t.Post();
            t.First();
            t.Delete();
            t.ResumeNotifications();
        }) << 0 << 0 << 1;
        QTest::newRow("closed") << TableAction([](RecordTable& t) { t.Close(); }) << 0 << 0 << 1;
    }

    // The tester checks every signal against the model's answers while it is sent; afterwards
    // the model must show exactly what the table holds.
    void tableChangesArriveAsPreciseSignals() {
        QFETCH(TableAction, action);
        QFETCH(int, inserts);
        QFETCH(int, removals);
        QFETCH(int, resets);
        QSignalSpy insertSpy(model_.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removeSpy(model_.get(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy resetSpy(model_.get(), &QAbstractItemModel::modelReset);

        action(sample_->Table());

        QCOMPARE(insertSpy.count(), inserts);
        QCOMPARE(removeSpy.count(), removals);
        QCOMPARE(resetSpy.count(), resets);
        const QString mismatch = MirrorMismatch(*model_, sample_->Table());
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // The row titles change as the cursor goes from record to record and from browsing to
    // editing; cells change when typed into, stored or dropped; a record placed by its Index
    // moves as one row.
    void signalsSayExactlyWhatChanged_data() {
        QTest::addColumn<TableAction>("action");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("typing into a cell") << TableAction([](RecordTable& t) {
            t.MoveTo(1);
            t.Edit();
            t.Fields(kName).SetAsString("Blizzard");
        }) << QStringList{"rowTitles 0-0", "rowTitles 1-1", "rowTitles 1-1", "data 1,2-1,2"};
        QTest::newRow("post in place")
            << TableAction([](RecordTable& t) {
                   t.Edit();
                   t.Fields(kName).SetAsString("Blizzard");
                   t.Fields(kRank).SetAsInteger(3);
                   t.Post();
               })
            << QStringList{"rowTitles 0-0", "data 0,2-0,2", "data 0,4-0,4", "data 0,2-0,4",
                           "rowTitles 0-0"};
        QTest::newRow("Index moves the record down") << TableAction([](RecordTable& t) {
            t.Edit();
            SetIndex(t, 7);
            t.Post();
        }) << QStringList{"rowTitles 0-0", "data 0,0-0,0",  "moving 0 before 3", "moved 0 before 3",
                          "data 2,0-2,0",  "rowTitles 0-0", "rowTitles 2-2"};
        QTest::newRow("Index moves the record up") << TableAction([](RecordTable& t) {
            t.Last();
            t.Edit();
            SetIndex(t, -4);
            t.Post();
        }) << QStringList{"rowTitles 0-0", "rowTitles 2-2",     "rowTitles 2-2",
                          "data 2,0-2,0",  "moving 2 before 0", "moved 2 before 0",
                          "data 0,0-0,0",  "rowTitles 2-2",     "rowTitles 0-0"};
        QTest::newRow("append and post") << TableAction([](RecordTable& t) {
            t.Append();
            t.Fields(kRank).SetAsInteger(5);
            t.Post();
        }) << QStringList{"inserting 3-3", "inserted 3-3", "rowTitles 0-0",
                          "rowTitles 3-3", "data 3,4-3,4", "rowTitles 3-3"};
        QTest::newRow("cancelled edit") << TableAction([](RecordTable& t) {
            t.Edit();
            t.Fields(kName).SetAsString("Blizzard");
            t.Cancel();
        }) << QStringList{"rowTitles 0-0", "data 0,2-0,2", "data 0,2-0,2", "rowTitles 0-0"};
        QTest::newRow("delete") << TableAction([](RecordTable& t) {
            t.MoveTo(1);
            t.Delete();
        }) << QStringList{"rowTitles 0-0", "rowTitles 1-1", "removing 1-1", "removed 1-1"};
        QTest::newRow("empty") << TableAction([](RecordTable& t) { t.DeleteAllRecords(); })
                               << QStringList{"removing 0-2", "removed 0-2"};
        QTest::newRow("suspended batch") << TableAction([](RecordTable& t) {
            t.SuspendNotifications();
            t.Append();
            t.Post();
            t.ResumeNotifications();
        }) << QStringList{"resetting", "reset"};
    }

    void signalsSayExactlyWhatChanged() {
        QFETCH(TableAction, action);
        QFETCH(QStringList, expected);
        const ModelSignalLog log(*model_);

        action(sample_->Table());

        QCOMPARE(log.Heard, expected);
        const QString mismatch = MirrorMismatch(*model_, sample_->Table());
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void reloadingTheFileShowsTheNewTable() {
        RecordTable& table = sample_->Table();
        table.Append();
        table.Post();
        QCOMPARE(model_->rowCount(), 4);
        QSignalSpy resetSpy(model_.get(), &QAbstractItemModel::modelReset);

        sample_->Dialogs.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
        sample_->Session.Reload();

        QVERIFY(resetSpy.count() >= 1);
        QCOMPARE(model_->rowCount(), 3);
        const QString mismatch = MirrorMismatch(*model_, table);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(model_->headerData(kSpeed, Qt::Horizontal).toString(),
                 QStringLiteral("Speed(float)"));
    }

    void enteredTextGoesThroughTheColumnsEntryRules() {
        RecordTable& table = sample_->Table();
        QSignalSpy changedSpy(model_.get(), &QAbstractItemModel::dataChanged);

        QVERIFY(model_->setData(model_->index(2, kId), QStringLiteral(" ff ")));

        QCOMPARE(table.CurrentRow(), 2);
        QCOMPARE(table.State(), TableState::Edit);
        QCOMPARE(table.IntegerAt(2, kId), 255);
        QCOMPARE(model_->index(2, kId).data().toString(), QStringLiteral("FF"));
        QCOMPARE(changedSpy.count(), 1);
        QVERIFY(sample_->Dialogs.Messages.empty());
    }

    void refusedTextIsShownAndTheCellKeepsItsValue_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        QTest::newRow("nine hex digits") << kId << "100000000"
                                         << "'$100000000' is not a valid integer value"
                                         << "10";
        QTest::newRow("empty hex entry") << kId << ""
                                         << "'$' is not a valid integer value"
                                         << "10";
        QTest::newRow("not a float") << kSpeed << "1.5.1"
                                     << "'1.5.1' is not a valid floating point value for "
                                        "field 'Speed(float)'"
                                     << "1.5";
    }

    void refusedTextIsShownAndTheCellKeepsItsValue() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, kept);

        QVERIFY(!model_->setData(model_->index(0, column), text));

        const std::vector<std::string>& messages = sample_->Dialogs.Messages;
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(ToQt(messages.front()), message);
        QCOMPARE(sample_->Table().State(), TableState::Edit);
        QCOMPARE(model_->index(0, column).data().toString(), kept);
        QCOMPARE(model_->headerData(0, Qt::Vertical).toString(), QString::fromUtf8("\u270E 1"));
    }

    void refusedPostKeepsTheEditedRecord() {
        RecordTable& table = sample_->Table();
        QVERIFY(model_->setData(model_->index(0, kIndex), QString()));

        QVERIFY(!model_->setData(model_->index(1, kRank), QStringLiteral("3")));

        QCOMPARE(ToQt(sample_->Dialogs.Messages.back()),
                 QStringLiteral("Field 'Index' must have a value"));
        QCOMPARE(table.CurrentRow(), 0);
        QCOMPARE(table.State(), TableState::Edit);
        QCOMPARE(model_->index(1, kRank).data().toString(), QStringLiteral("7"));
    }

  private:
    std::unique_ptr<OpenedSpellSample> sample_;
    std::unique_ptr<RecordTableModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

KELVANE_WINDOW_TEST(RecordTableModelTest);

}  // namespace kelvane::testing

#include "RecordTableModelTest.moc"
