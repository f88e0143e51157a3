#include "core/files/TextFile.h"

#include <algorithm>

#include "core/files/FileIo.h"
#include "core/files/TextLineWriter.h"

namespace kelvane {

void WriteTextLines(const std::string& path, std::span<const std::string> lines) {
    TextLineWriter file(path);
    for (const std::string& line : lines) {
        file.Add(line);
    }
    file.Commit();
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    // The next CR and the next LF, each found with a fast search and kept until passed.
    size_t nextCr = text.find('\r');
    size_t nextLf = text.find('\n');
    size_t start = 0;
    while (start < text.size()) {
        if (nextCr < start) {
            nextCr = text.find('\r', start);
        }
        if (nextLf < start) {
            nextLf = text.find('\n', start);
        }
        const size_t end = std::min({nextCr, nextLf, text.size()});
        lines.push_back(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path, NamedBy namedBy) {
    const std::string text = ReadWholeFile(path, namedBy);
    const std::vector<std::string_view> views = SplitTextLines(text);
    return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace kelvane
