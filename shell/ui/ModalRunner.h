#pragma once

class QDialog;

namespace kelvane {

// Runs the editor's own modal windows. The program shows them with exec(); tests answer them
// from a script, so no test waits on a window nobody closes.
class ModalRunner {
  public:
    virtual ~ModalRunner() = default;

    // QDialog::Accepted or QDialog::Rejected.
    virtual int RunModal(QDialog& dialog) = 0;
};

}  // namespace kelvane
