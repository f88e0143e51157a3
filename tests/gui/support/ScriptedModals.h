#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/ui/ModalRunner.h"

namespace kelvane::testing {

// Plays the user's part in the editor's modal windows: each script gets the window, sets its
// controls as a user would and returns QDialog::Accepted or Rejected. A window with no script
// queued is rejected and its object name recorded in Unanswered.
class ScriptedModals : public ModalRunner {
  public:
    using Script = std::function<int(QDialog&)>;

    std::deque<Script> Scripts;
    std::vector<std::string> Shown;  // object names, in order
    std::vector<std::string> Unanswered;

    int RunModal(QDialog& dialog) override {
        Shown.push_back(dialog.objectName().toStdString());
        if (Scripts.empty()) {
            Unanswered.push_back(dialog.objectName().toStdString());
            return QDialog::Rejected;
        }
        Script script = std::move(Scripts.front());
        Scripts.pop_front();
        // Shown without a modal loop, so the window prepares itself as it would for a user.
        dialog.show();
        const int result = script(dialog);
        dialog.setResult(result);
        dialog.hide();
        return result;
    }
};

}  // namespace kelvane::testing
