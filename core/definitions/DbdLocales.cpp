#include "core/definitions/DbdLocales.h"

namespace kelvane {

const std::vector<std::string_view>& DbdLocaleSuffixes(const DbdBuild& build) {
    static const std::vector<std::string_view> firstEra = {"enUS", "koKR", "frFR", "deDE",
                                                           "zhCN", "zhTW", "esES", "esMX"};
    // The last four slots were never given to a language.
    static const std::vector<std::string_view> laterEras = {
        "enUS", "koKR", "frFR", "deDE", "zhCN",  "zhTW",  "esES",  "esMX",
        "ruRU", "jaJP", "ptPT", "itIT", "unk12", "unk13", "unk14", "unk15"};
    static const std::vector<std::string_view> none;
    if (build.Era() < 2) {
        return firstEra;
    }
    return build.Era() < 4 ? laterEras : none;
}

}  // namespace kelvane
