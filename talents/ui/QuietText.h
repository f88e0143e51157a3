#pragma once

#include <QLineEdit>
#include <QSignalBlocker>
#include <QString>

namespace kelvane {

// Shows a text the program holds without it counting as the user's edit. A field that already
// holds the text is left alone, so the cursor of a user typing there stays where it is.
inline void SetTextQuietly(QLineEdit& field, const QString& text) {
    if (field.text() != text) {
        const QSignalBlocker block(field);
        field.setText(text);
    }
}

}  // namespace kelvane
