#pragma once

#include <QDialog>

#include "app/NewTableRequest.h"

class QLineEdit;
class QRadioButton;
class QShowEvent;

namespace kelvane {

class UserDialogs;

// "Please enter fields count": asks the New command for a number of fields or for a
// field-definition file to import. Keeps its choice and both inputs from one use to the next.
class NewTableDialog : public QDialog {
    Q_OBJECT

  public:
    explicit NewTableDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // What the dialog holds now; the selected choice decides which input counts.
    NewTableRequest Request() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BrowseIniClicked();

    UserDialogs& dialogs_;
    QRadioButton* emptyChoice_;
    QRadioButton* importChoice_;
    QLineEdit* fieldCount_;
    QLineEdit* iniFileName_;
};

}  // namespace kelvane
