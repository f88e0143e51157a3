#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kelvane {

// The table's texts are 8-bit strings in the system code page; on this platform that is the
// locale's, so texts cross to Qt with the local 8-bit conversion and come back unchanged.
inline QString ToQt(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace kelvane
