#include "core/base/KelvaneVersion.h"

namespace kelvane {

std::string_view KelvaneVersion() {
    return KELVANE_VERSION;
}

}  // namespace kelvane
