#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/base/DecimalSeparator.h"
#include "exchange/PatchText.h"
#include "exchange/ui/ExportQueueWindow.h"
#include "exchange/ui/NotesWindow.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"

namespace kelvane::testing {
namespace {

// The bytes a text file holds for the lines: CR LF after each, the last included.
std::string CrlfLines(const QStringList& lines) {
    std::string text;
    for (const QString& line : lines) {
        text += FromQt(line) + "\r\n";
    }
    return text;
}

QPlainTextEdit& MemoOf(const QWidget& window) {
    return *Child<QPlainTextEdit>(window, "Memo1");
}

// Plays one step of a user at the queue: "add LINE" (a row from the main window), "type TEXT"
// (keys into the memo at its end), "enter" or "clear" (the window's button).
void PlayQueueStep(ExportQueueWindow& queue, const QString& step) {
    QPlainTextEdit& memo = MemoOf(queue);
    if (step.startsWith("add ")) {
        queue.AddLine(FromQt(step.mid(4)));
    } else if (step.startsWith("type ")) {
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, step.mid(5));
    } else if (step == "enter") {
        memo.moveCursor(QTextCursor::End);
        QTest::keyClick(&memo, Qt::Key_Return);
    } else if (step == "clear") {
        QTest::mouseClick(Child<QToolButton>(queue, "SpeedButton2"), Qt::LeftButton);
    } else {
        qFatal("unknown queue step %s", qPrintable(step));
    }
}

}  // namespace

class QueueNotesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QWidget> mainWindow_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<TempDir> dir_;
    ExportQueueWindow* queue_ = nullptr;
    NotesWindow* notes_ = nullptr;

    void ClickExport() {
        QTest::mouseClick(Child<QToolButton>(*queue_, "SpeedButton1"), Qt::LeftButton);
    }
    void ClickOpenNote() {
        QTest::mouseClick(Child<QToolButton>(*notes_, "SpeedButton1"), Qt::LeftButton);
    }
    void ClickSaveNote() {
        QTest::mouseClick(Child<QToolButton>(*notes_, "SpeedButton2"), Qt::LeftButton);
    }
    // The file dialog's next answer: a file of the temporary folder.
    void AnswerFile(const char* name) { dialogs_->FileAnswers.push_back(dir_->File(name)); }

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        mainWindow_ = std::make_unique<QWidget>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        dir_ = std::make_unique<TempDir>();
        queue_ = new ExportQueueWindow(*dialogs_, mainWindow_.get());
        notes_ = new NotesWindow(*dialogs_, mainWindow_.get());
    }

    void cleanup() {
        QCOMPARE(dialogs_->Unanswered, std::vector<std::string>{});
        mainWindow_.reset();
    }

    // ---- The windows ------------------------------------------------------------------

    void windowsAreToolWindowsWithTheirButtonsLeftToRight_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("queue") << "QueueForm"
                               << "Export Queue" << QStringList{"SpeedButton2", "SpeedButton1"}
                               << QStringList{"Clear", "Export to file "};
        QTest::newRow("notes") << "NotesForm"
                               << "Notes window" << QStringList{"SpeedButton1", "SpeedButton2"}
                               << QStringList{"Open", "Save"};
    }
    void windowsAreToolWindowsWithTheirButtonsLeftToRight() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, captions);
        auto* form = mainWindow_->findChild<QWidget*>(window);
        QVERIFY(form != nullptr);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->windowType(), Qt::Tool);
        QCOMPARE(form->parentWidget(), mainWindow_.get());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        int previousRight = -1;
        for (int i = 0; i < buttons.size(); ++i) {
            auto* button = Child<QToolButton>(*form, qPrintable(buttons[i]));
            QCOMPARE(button->text(), captions[i]);
            QVERIFY(button->autoRaise());
            QVERIFY(button->geometry().left() > previousRight);
            previousRight = button->geometry().right();
        }
        QVERIFY(MemoOf(*form).height() > form->height() / 2);
    }

    void notesMemoScrollsBothWaysWithoutWrapping() {
        QPlainTextEdit& memo = MemoOf(*notes_);
        QCOMPARE(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void closingHidesTheQueueAndShowingAgainKeepsItsText() {
        queue_->AddLine("12:1=a");
        queue_->ShowQueue();
        QVERIFY(QTest::qWaitForWindowExposed(queue_));
        queue_->ShowQueue();  // already visible: only brought forward
        QVERIFY(queue_->isVisible());
        queue_->close();
        QVERIFY(!queue_->isVisible());
        queue_->ShowQueue();
        QVERIFY(queue_->isVisible());
        QCOMPARE(MemoOf(*queue_).toPlainText(), QString("12:1=a\n"));
    }

    // ---- Export queue ------------------------------------------------------------------

    void queueIsWrittenAsTheWindowHoldsIt_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("fileLines");
        QTest::newRow("the same row twice") << QStringList{"add 12:1=a,2=5", "add 12:1=a,2=5"}
                                            << QStringList{"12:1=a,2=5", "12:1=a,2=5"};
        QTest::newRow("empty queue") << QStringList{} << QStringList{};
        QTest::newRow("clear, then one row")
            << QStringList{"add 1:1=a", "add 2:1=b", "clear", "add 3:1=c"} << QStringList{"3:1=c"};
        QTest::newRow("a line typed between rows")
            << QStringList{"add 1:1=a", "type 5:2=say \"hi\"", "enter", "add 2:1=b"}
            << QStringList{"1:1=a", "5:2=say \"hi\"", "2:1=b"};
        QTest::newRow("a row after a typed line without a break")
            << QStringList{"type 5:2=x", "add 2:1=b"} << QStringList{"5:2=x", "2:1=b"};
        QTest::newRow("empty lines typed by hand stay")
            << QStringList{"add 1:1=a", "enter", "type // later", "enter", "enter"}
            << QStringList{"1:1=a", "", "// later", ""};
    }
    void queueIsWrittenAsTheWindowHoldsIt() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, fileLines);
        for (const QString& step : steps) {
            PlayQueueStep(*queue_, step);
        }
        const QString before = MemoOf(*queue_).toPlainText();
        dir_->Write("Queue.txt", "an older file\r\n");
        AnswerFile("Queue.txt");

        ClickExport();

        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
        QCOMPARE(dir_->Read("Queue.txt"), CrlfLines(fileLines));
        QCOMPARE(MemoOf(*queue_).toPlainText(), before);  // writing does not empty the queue
    }

    void clearEmptiesTheWindowAtOnce() {
        queue_->AddLine("1:1=a");
        QTest::mouseClick(Child<QToolButton>(*queue_, "SpeedButton2"), Qt::LeftButton);
        QCOMPARE(MemoOf(*queue_).toPlainText(), QString());
        queue_->AddLine("2:1=b");
        queue_->Clear();
        QCOMPARE(MemoOf(*queue_).toPlainText(), QString());
        QCOMPARE(dialogs_->Questions, std::vector<std::string>{});
    }

    void rowsOfTwoTablesGoIntoOneFile() {
        OpenedSpellSample session;
        queue_->AddLine(PatchRowLine(session.Table(), 0));
        session.Dir.Write("Other.dbc", ByteFieldSample().Bytes());
        session.Session.OpenTableFile(session.Dir.File("Other.dbc"));
        queue_->AddLine(PatchRowLine(session.Table(), 1));
        AnswerFile("Queue.txt");

        queue_->ExportToFile();

        QCOMPARE(dir_->Read("Queue.txt"), CrlfLines({"16:1=Fireball,2=1.5,3=-1", "8:1=5,2=0"}));
    }

    void exportAsksWithThePatchExportDialog() {
        dialogs_->FileAnswers.push_back(std::nullopt);

        ClickExport();

        QCOMPARE(dialogs_->FileRequests.size(), size_t{1});
        const FileDialogRequest& request = dialogs_->FileRequests[0];
        QCOMPARE(request.Title, std::string("Export to Patchwell's format"));
        QCOMPARE(request.Filters.size(), size_t{2});
        QCOMPARE(request.Filters[0].Name, std::string("*.txt"));
        QCOMPARE(request.Filters[0].Pattern, std::string("*.txt"));
        QCOMPARE(request.Filters[1].Name, std::string("All Files"));
        QCOMPARE(request.Filters[1].Pattern, std::string("*.*"));
        QCOMPARE(request.DefaultExtension, std::string("txt"));
        QVERIFY(request.ConfirmOverwrite);
    }

    void cancelledExportWritesNothing() {
        queue_->AddLine("1:1=a");
        dir_->Write("Queue.txt", "kept\r\n");
        dialogs_->FileAnswers.push_back(std::nullopt);

        ClickExport();

        QCOMPARE(dir_->Read("Queue.txt"), std::string("kept\r\n"));
        QCOMPARE(MemoOf(*queue_).toPlainText(), QString("1:1=a\n"));
    }

    void exportToAnUncreatableFileShowsTheErrorAndKeepsTheQueue() {
        queue_->AddLine("1:1=a");
        AnswerFile("no folder/Queue.txt");

        ClickExport();

        QCOMPARE(dialogs_->Messages.size(), size_t{1});
        QVERIFY(dialogs_->Messages[0].starts_with("Cannot create file "));
        QCOMPARE(MemoOf(*queue_).toPlainText(), QString("1:1=a\n"));
    }

    // ---- Notes -------------------------------------------------------------------------

    void notesOpenReadsEveryLineBreakAndSaveWritesCrLf_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
        QTest::newRow("lone CR") << QByteArray("one\rtwo\r") << QStringList{"one", "two"};
        QTest::newRow("lone LF") << QByteArray("one\ntwo") << QStringList{"one", "two"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty lines")
            << QByteArray("a\r\n\r\n\nb\r\n\r\n") << QStringList{"a", "", "", "b", ""};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void notesOpenReadsEveryLineBreakAndSaveWritesCrLf() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        MemoOf(*notes_).setPlainText("text from before");
        dir_->Write("Note.txt", file.toStdString());
        AnswerFile("Note.txt");
        ClickOpenNote();
        QCOMPARE(dialogs_->Messages, std::vector<std::string>{});
        // Each line shown with its break after it, the cursor's empty line last.
        QString shown;
        for (const QString& line : lines) {
            shown += line + '\n';
        }
        QCOMPARE(MemoOf(*notes_).toPlainText(), shown);

        dir_->Write("Saved.txt", "an older, longer note\r\n");
        AnswerFile("Saved.txt");
        ClickSaveNote();

        QCOMPARE(dir_->Read("Saved.txt"), CrlfLines(lines));
    }

    void notesDialogsAskForTextFiles_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("title");
        QTest::newRow("open") << false << "Open Note";
        QTest::newRow("save") << true << "Save Note";
    }
    void notesDialogsAskForTextFiles() {
        QFETCH(bool, save);
        QFETCH(QString, title);
        dialogs_->FileAnswers.push_back(std::nullopt);

        save ? ClickSaveNote() : ClickOpenNote();

        QCOMPARE(dialogs_->FileRequests.size(), size_t{1});
        const FileDialogRequest& request = dialogs_->FileRequests[0];
        QCOMPARE(ToQt(request.Title), title);
        QCOMPARE(request.Filters.size(), size_t{2});
        QCOMPARE(request.Filters[0].Name, std::string("Text File(*.txt)"));
        QCOMPARE(request.Filters[0].Pattern, std::string("*.txt"));
        QCOMPARE(request.Filters[1].Name, std::string("All Files (*.*)"));
        QCOMPARE(request.Filters[1].Pattern, std::string("*.*"));
        QCOMPARE(request.DefaultExtension, std::string("txt"));
        if (save) {
            QVERIFY(!request.ConfirmOverwrite);  // a scratch text replaces a file without asking
        }
    }

    void notesFileFailuresShowTheErrorAndKeepTheText_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("open a missing file") << false << "Missing.txt"
                                             << "Cannot open file ";
        QTest::newRow("open a folder") << false << "."
                                       << "Cannot open file ";
        QTest::newRow("save into a missing folder") << true << "no folder/Note.txt"
                                                    << "Cannot create file ";
    }
    void notesFileFailuresShowTheErrorAndKeepTheText() {
        QFETCH(bool, save);
        QFETCH(QString, file);
        QFETCH(QString, message);
        MemoOf(*notes_).setPlainText("my notes\nsecond line");
        AnswerFile(qPrintable(file));

        save ? ClickSaveNote() : ClickOpenNote();

        QCOMPARE(dialogs_->Messages.size(), size_t{1});
        QVERIFY2(dialogs_->Messages[0].starts_with(FromQt(message)), dialogs_->Messages[0].c_str());
        QCOMPARE(MemoOf(*notes_).toPlainText(), QString("my notes\nsecond line"));
    }
};

KELVANE_WINDOW_TEST(QueueNotesTest);

}  // namespace kelvane::testing

#include "QueueNotesTest.moc"
