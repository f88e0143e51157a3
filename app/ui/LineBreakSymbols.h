#pragma once

#include <QString>

namespace kelvane {

// A text with its line breaks made visible for editing: CR as "␍", LF as "␊" followed by a real
// line break, so CR LF, LF and a lone CR read apart and the lines still break where the text's
// lines do.
QString ShowLineBreaks(const QString& text);

// The text back from its shown form: the symbols become CR and LF again and the line break
// after each "␊" is dropped; any other line break, one typed or pasted, becomes lineEnd.
QString ReadLineBreaks(const QString& shown, const QString& lineEnd);

}  // namespace kelvane
