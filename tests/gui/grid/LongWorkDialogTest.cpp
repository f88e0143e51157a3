#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "shell/ui/LongWorkDialog.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/gui/support/GridClicks.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

constexpr int kRankColumn = 4;
// More rows than the table has records and than are told one by one: the paste is one batch.
constexpr int kPastedRows = 200;

// Long work in the main window, by keys and clicks: a paste or an import shows its progress in
// a dialog whose Cancel button (or Esc) stops it and leaves the table, its Undo entry and its
// caption as they were; work that goes on to its end is one step for Ctrl+Z. The progress is
// shown at once here, where the work is quick.
class LongWorkDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    QString CommandResult() { return Child<QLabel>(Window(), "CommandResultLabel")->text(); }
    static QString PastedText() {
        QString text;
        for (int row = 0; row < kPastedRows; ++row) {
            text += QString::number(row % 7) + '\n';
        }
        return text;
    }
    // What the user does once the progress dialog is up: acts on it, and notes that it was seen.
    void WhenProgressShows(std::function<void(LongWorkDialog&)> act) {
        progressSeen_ = false;
        QTimer::singleShot(0, this, [this, act = std::move(act)] {
            auto* dialog = Window().findChild<LongWorkDialog*>("LongWorkDialog");
            progressSeen_ = dialog != nullptr && dialog->isVisible();
            if (progressSeen_) {
                act(*dialog);
            }
        });
    }
    bool ProgressShown() {
        auto* dialog = Window().findChild<LongWorkDialog*>("LongWorkDialog");
        return dialog != nullptr && dialog->isVisible();
    }
    bool progressSeen_ = false;

  private slots:
    void init() {
        program_ = std::make_unique<RunningProgram>();
        program_->App().Feedback().SetLongWorkDelay(std::chrono::milliseconds(0));
        const std::string path = WriteSpellSample(program_->Dir);
        QVERIFY(program_->ShowActive());
        Window().OpenTableFile(path);
        Grid().setFocus();
    }
    void cleanup() { program_.reset(); }

    void cancelButtonStopsAPasteAndLeavesTheTableAsItWas() {
        const auto before = TableTexts(Table());
        const QString undoBefore = Action("MenuItemUndo")->text();
        QApplication::clipboard()->setText(PastedText());
        ClickCell(Grid(), 0, kRankColumn);
        WhenProgressShows([](LongWorkDialog& dialog) {
            QTest::mouseClick(Child<QPushButton>(dialog, "LongWorkCancelButton"), Qt::LeftButton);
        });
        QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(progressSeen_);
        QVERIFY(!ProgressShown());
        QCOMPARE(TableTexts(Table()), before);
        QCOMPARE(Action("MenuItemUndo")->text(), undoBefore);
        QVERIFY(!Window().windowTitle().endsWith('*'));
        QCOMPARE(CommandResult(), QString("Pasting cancelled: the table is as it was"));
        QCOMPARE(program_->Dialogs.Messages, std::vector<std::string>{});
        // The grid shows the table again, on the cell the paste started from.
        QCOMPARE(Grid().model()->rowCount(), Table().RecordCount());
        QCOMPARE(Grid().currentIndex().column(), kRankColumn);
    }

    void escStopsAnImport() {
        const auto before = TableTexts(Table());
        std::string patch;
        for (int key = 1000; key < 1000 + kPastedRows; ++key) {
            patch += std::to_string(key) + ":1=New\r\n";
        }
        program_->Dir.Write("patch.txt", patch);
        program_->Dialogs.FileAnswers.push_back(program_->Dir.File("patch.txt"));
        WhenProgressShows([](LongWorkDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        Action("ImportfromPatchwellsformat1")->trigger();
        QVERIFY(progressSeen_);
        QCOMPARE(TableTexts(Table()), before);
        QCOMPARE(CommandResult(), QString("Importing patch.txt cancelled: the table is as it was"));
    }

    void aPasteLeftToRunShowsItsProgressAndUndoesWithOneKey() {
        const auto before = TableTexts(Table());
        QApplication::clipboard()->setText(PastedText());
        ClickCell(Grid(), 0, kRankColumn);
        WhenProgressShows([](LongWorkDialog&) {});
        QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(progressSeen_);
        QVERIFY(!ProgressShown());
        QCOMPARE(Table().RecordCount(), kPastedRows);
        QCOMPARE(Grid().model()->rowCount(), kPastedRows);
        QCOMPARE(Grid().currentIndex().column(), kRankColumn);
        QCOMPARE(Action("MenuItemUndo")->text(), QString("&Undo Paste"));
        // The window the progress dialog kept from input takes the keys again, in the grid.
        QApplication::setActiveWindow(&Window());
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        QCOMPARE(QApplication::focusWidget(), &Grid());
        QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TableTexts(Table()), before);
        QCOMPARE(Grid().model()->rowCount(), static_cast<int>(before.size()));
    }
};

KELVANE_WINDOW_TEST(LongWorkDialogTest);

}  // namespace kelvane::testing

#include "LongWorkDialogTest.moc"
