#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QDialog;

namespace kelvane {

struct Preset;
class UserDialogs;

// "Load Preset": hands the chosen built-in field-definition file to the command that writes it
// and reloads the table, then closes itself and the field settings dialog (as cancelled). A
// window of the field settings dialog, so it stays usable while that dialog runs modally.
class PresetWindow : public QWidget {
    Q_OBJECT

  public:
    // loadPreset: writes the preset and reloads the table; false when the user cancelled, which
    // leaves both windows open.
    PresetWindow(UserDialogs& dialogs, QDialog& fieldSettings,
                 std::function<bool(const Preset&)> loadPreset);

    // The chosen preset; nullptr while none is chosen.
    const Preset* SelectedPreset() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void LoadClicked();

    UserDialogs& dialogs_;
    QDialog& fieldSettings_;
    std::function<bool(const Preset&)> load_;
    QButtonGroup* choices_;
};

}  // namespace kelvane
