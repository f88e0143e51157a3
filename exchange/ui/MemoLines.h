#pragma once

#include <span>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace kelvane {

// The memo holds lines the way a text file does: each line followed by a break, the break after
// the last one optional. So a memo that ends in a break has no extra empty line, and the lines
// of a file shown and taken back are the same lines.

// The memo's lines; an empty memo has none.
std::vector<std::string> MemoLines(const QPlainTextEdit& memo);

// Replaces the memo's text with the lines.
void SetMemoLines(QPlainTextEdit& memo, std::span<const std::string> lines);

// Adds the line after the last one, keeping the user's cursor and undo history.
void AppendMemoLine(QPlainTextEdit& memo, const std::string& line);

}  // namespace kelvane
