#pragma once

#include <QWidget>

#include "editors/PickList.h"

class QComboBox;

namespace kelvane {

// A pick list whose entries the user sees, with a hidden list beside it holding, at the same
// positions, the id written for each entry. The visible list is named listName and the hidden
// one listName + "ID". Both start empty and without selection.
class PickListCombo : public QWidget {
    Q_OBJECT

  public:
    PickListCombo(const char* listName, QWidget* parent);

    QComboBox& List() const { return *list_; }
    // The selected position, -1 when none.
    int Selected() const;
    void Select(int position);
    // Adds the entries and their ids at the end, keeping the selection as it was.
    void Append(const PickList& added);
    // The entries and ids as they stand.
    PickList Contents() const;

  private:
    QComboBox* list_;
    QComboBox* ids_;
};

}  // namespace kelvane
