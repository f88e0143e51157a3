#include "exchange/ui/MemoLines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "shell/ui/QtText.h"

namespace kelvane {

std::vector<std::string> MemoLines(const QPlainTextEdit& memo) {
    QStringList pieces = memo.toPlainText().split(QLatin1Char('\n'));
    // The text after the last break is a line only when it holds something.
    if (pieces.last().isEmpty()) {
        pieces.removeLast();
    }
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(pieces.size()));
    for (const QString& piece : pieces) {
        lines.push_back(FromQt(piece));
    }
    return lines;
}

void SetMemoLines(QPlainTextEdit& memo, std::span<const std::string> lines) {
    QString text;
    for (const std::string& line : lines) {
        text += ToQt(line);
        text += QLatin1Char('\n');
    }
    memo.setPlainText(text);
}

void AppendMemoLine(QPlainTextEdit& memo, const std::string& line) {
    QTextDocument* document = memo.document();
    // A last line the user typed without a break gets one, so the new line stays on its own.
    const bool needsBreak = !document->lastBlock().text().isEmpty();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText((needsBreak ? QStringLiteral("\n") : QString()) + ToQt(line) +
                   QLatin1Char('\n'));
}

}  // namespace kelvane
