#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "launcher/ui/ConverterWindow.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

class ConverterLauncherTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    ScriptedDialogs dialogs_;
    std::vector<std::string> started_;
    bool startSucceeds_ = true;
    std::unique_ptr<ConverterWindow> window_;

    void Type(const QString& source, const QString& destination) {
        Child<QLineEdit>(*window_, "Edit1")->setText(source);
        Child<QLineEdit>(*window_, "Edit2")->setText(destination);
    }
    void DoIt() { QTest::mouseClick(Child<QPushButton>(*window_, "Button2"), Qt::LeftButton); }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        std::filesystem::create_directory(dir_->File("extra"));
        dialogs_ = ScriptedDialogs();
        started_.clear();
        startSucceeds_ = true;
        window_ = std::make_unique<ConverterWindow>(dialogs_, dir_->Path(), nullptr,
                                                    [this](const std::string& commandFile) {
                                                        started_.push_back(commandFile);
                                                        return startSucceeds_;
                                                    });
    }

    void theWindowHasItsControls() {
        QCOMPARE(window_->windowTitle(), QString("BLP Converter"));
        QCOMPARE(window_->size(), QSize(428, 241));
        QCOMPARE(Child<QLineEdit>(*window_, "Edit1")->width(), 377);
        QCOMPARE(Child<QPushButton>(*window_, "Button2")->text(), QString("Do it..."));
        QCOMPARE(Child<QPushButton>(*window_, "Button1")->text(), QString("Cancel"));
        QCOMPARE(Child<QLabel>(*window_, "Image1")->pixmap().size(), QSize(105, 105));
        QCOMPARE(Child<QLabel>(*window_, "Label5")->text(),
                 QString("Also note that BLPConverter.exe needs to be  located in this program "
                         "dir \\extra"));
    }

    void doItWritesOneLineAndStartsTheCommandFile() {
        window_->show();
        Type("a.blp", "b.tga");
        DoIt();
        Type("My Icons/a.blp", "b.tga; rm -rf ~");
        DoIt();
        QCOMPARE(dir_->Read("extra/convert.sh"),
                 std::string("blpconverter 'My Icons/a.blp' 'b.tga; rm -rf ~'\n"));
        const std::vector<std::string> expected(2, dir_->File("extra/convert.sh"));
        QCOMPARE(started_, expected);
        QVERIFY(dialogs_.Messages.empty());
        QVERIFY(window_->isVisible());
    }

    void aFailedStartShowsItsMessage() {
        startSucceeds_ = false;
        DoIt();
        QCOMPARE(dir_->Read("extra/convert.sh"), std::string("blpconverter '' ''\n"));
        QCOMPARE(dialogs_.Messages,
                 std::vector<std::string>{"BlPConverter is missing from <programdir>\\Extra... "
                                          "insert it there"});
    }

    void aMissingExtraFolderStopsBeforeStarting() {
        std::filesystem::remove(dir_->File("extra"));
        DoIt();
        QVERIFY(started_.empty());
        QCOMPARE(dialogs_.Messages.size(), size_t{1});
        QVERIFY(dialogs_.Messages[0].starts_with("Cannot create file \"" +
                                                 dir_->File("extra/convert.sh") + "\""));
    }

    // The real start: the shell runs the command file, which finds a converter on the search
    // path and hands it each typed text as one argument.
    void theShellPassesEachTextAsOneArgument() {
        const std::string bin = dir_->File("bin");
        std::filesystem::create_directory(bin);
        const std::string received = dir_->File("received.txt");
        {
            std::ofstream script(bin + "/blpconverter");
            script << "#!/bin/sh\nprintf '%s|' \"$@\" > '" << received << ".part'\nmv '" << received
                   << ".part' '" << received << "'\n";
        }
        std::filesystem::permissions(bin + "/blpconverter", std::filesystem::perms::owner_all);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin) + ":" + path);
        ConverterWindow real(dialogs_, dir_->Path(), nullptr);
        Child<QLineEdit>(real, "Edit1")->setText("My Icons/a.blp");
        Child<QLineEdit>(real, "Edit2")->setText("$(touch pwned).tga");
        QTest::mouseClick(Child<QPushButton>(real, "Button2"), Qt::LeftButton);
        qputenv("PATH", path);

        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(received), 10000);
        QCOMPARE(dir_->Read("received.txt"), std::string("My Icons/a.blp|$(touch pwned).tga|"));
        QVERIFY(!std::filesystem::exists(dir_->File("pwned")));
        QVERIFY(dialogs_.Messages.empty());
    }

    void cancelCloses() {
        window_->show();
        QTest::mouseClick(Child<QPushButton>(*window_, "Button1"), Qt::LeftButton);
        QVERIFY(!window_->isVisible());
    }
};

KELVANE_WINDOW_TEST(ConverterLauncherTest);

}  // namespace kelvane::testing

#include "ConverterLauncherTest.moc"
