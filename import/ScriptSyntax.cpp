#include "import/ScriptSyntax.h"

#include "core/base/TextUtil.h"

namespace kelvane {

bool IsSectionHeader(std::string_view line) {
    return TrimBlanks(line).starts_with('[');
}

std::string_view SectionId(std::string_view header) {
    const std::string_view text = TrimBlanks(header);
    if (!text.starts_with('[')) {
        return UnknownText;
    }
    const size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return UnknownText;
    }
    const size_t blank = text.find(' ');
    const size_t start = blank == std::string_view::npos ? 1 : blank + 1;
    return start < close ? text.substr(start, close - start) : std::string_view();
}

std::string_view LineKey(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    const size_t equals = text.find('=');
    return equals == std::string_view::npos ? UnknownText : text.substr(0, equals);
}

std::string_view LineValue(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    const size_t equals = text.find('=');
    return equals == std::string_view::npos ? UnknownText : text.substr(equals + 1);
}

}  // namespace kelvane
