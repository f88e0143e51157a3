#pragma once

#include <QWidget>
#include <array>

#include "talents/TalentSlots.h"

class QLineEdit;
class QRect;
class QToolButton;

namespace kelvane {

struct SlotNames;

// One slot of the talent tree, 88 by 88 pixels: the talent field with "OK" beside it, the
// required-talent field with "S" beside it, and the small "Req. N" field.
class TalentSlotCell : public QWidget {
    Q_OBJECT

  public:
    static constexpr int Side = 88;

    TalentSlotCell(const SlotNames& names, QWidget* parent);

    // Shows the slot's three texts without announcing them as edits.
    void ShowTexts(const SlotTexts& texts);

  signals:
    // The user typed into one of the fields.
    void TextEdited(kelvane::SlotField field, const QString& text);
    void RanksClicked();
    void CommitClicked();

  private:
    void AddField(SlotField field, const char* name, int x, int y, int width);
    QToolButton* AddButton(const char* name, const char* caption, int x, int y, int width);
    void AddCaption(const char* caption, const QRect& geometry);
    QLineEdit& FieldFor(SlotField field) const { return *fields_[static_cast<size_t>(field)]; }

    std::array<QLineEdit*, 3> fields_{};
};

}  // namespace kelvane
