#include "app/ui/LineBreakSymbols.h"

namespace kelvane {
namespace {

constexpr char16_t kCrSymbol = u'\u240D';
constexpr char16_t kLfSymbol = u'\u240A';

}  // namespace

QString ShowLineBreaks(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == u'\r') {
            shown += kCrSymbol;
        } else if (c == u'\n') {
            shown += kLfSymbol;
            shown += u'\n';
        } else {
            shown += c;
        }
    }
    return shown;
}

QString ReadLineBreaks(const QString& shown, const QString& lineEnd) {
    QString text;
    text.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        if (c == kCrSymbol) {
            text += u'\r';
        } else if (c == kLfSymbol) {
            text += u'\n';
            if (i + 1 < shown.size() && shown[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            text += lineEnd;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace kelvane
