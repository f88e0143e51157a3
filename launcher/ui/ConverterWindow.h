#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QLineEdit;

namespace kelvane {

class UserDialogs;

// "BLP Converter": runs the user's own image converter on one source and one destination file
// by writing a one-line command file into the folder "extra" of the side-file folder and starting
// it as a separate process. Converts nothing itself.
class ConverterWindow : public QWidget {
    Q_OBJECT

  public:
    // Starts the command file as a detached process; false when it could not be started.
    using CommandStarter = std::function<bool(const std::string& commandFile)>;

    ConverterWindow(UserDialogs& dialogs, std::string sideFileFolder, QWidget* parent,
                    CommandStarter starter = StartDetached);

    // Starts the command file with the interpreter that runs it, without waiting.
    static bool StartDetached(const std::string& commandFile);

  private:
    void ConvertClicked();

    UserDialogs& dialogs_;
    std::string sideFileFolder_;
    CommandStarter starter_;
    QLineEdit* source_;
    QLineEdit* destination_;
};

}  // namespace kelvane
