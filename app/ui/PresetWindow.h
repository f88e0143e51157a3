#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QDialog;

namespace kelvane {

struct Preset;
class UserDialogs;
struct Workspace;

// "Load Preset": writes one of the built-in field-definition files beside the file last opened,
// closes the field settings dialog as cancelled and reloads the table. A window of the field
// settings dialog, so it stays usable while that dialog runs modally.
class PresetWindow : public QWidget {
    Q_OBJECT

  public:
    // reload: the main window's Reload command.
    PresetWindow(Workspace& work, UserDialogs& dialogs, QDialog& fieldSettings,
                 std::function<void()> reload);

    // The chosen preset; nullptr while none is chosen.
    const Preset* SelectedPreset() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void LoadClicked();

    Workspace& work_;
    UserDialogs& dialogs_;
    QDialog& fieldSettings_;
    std::function<void()> reload_;
    QButtonGroup* choices_;
};

}  // namespace kelvane
