#include "core/definitions/ClientBuildText.h"

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"

namespace kelvane {

std::optional<DbdBuild> ReadClientBuildText(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty() || trimmed == "none") {
        return std::nullopt;
    }
    if (std::optional<DbdBuild> build = ParseDbdBuild(trimmed)) {
        return build;
    }
    throw KelvaneError("'" + EchoText(trimmed) +
                       "' is not a client build: give four numbers separated by dots, such as "
                       "3.3.5.12340 or 1.12.1.5875, or none.");
}

std::string ClientBuildText(const std::optional<DbdBuild>& build) {
    return build ? build->Text() : std::string();
}

}  // namespace kelvane
