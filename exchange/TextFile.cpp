#include "exchange/TextFile.h"

#include "core/FileIo.h"

namespace kelvane {

void WriteTextLines(const std::string& path, std::span<const std::string> lines) {
    size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    WriteFileAtomically(path, text);
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    const std::string text = ReadWholeFile(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.emplace_back(text, start);
            break;
        }
        lines.emplace_back(text, start, end - start);
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace kelvane
