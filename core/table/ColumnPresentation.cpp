#include "core/table/ColumnPresentation.h"

namespace kelvane {

CharSet CharSet::Any() {
    CharSet set;
    set.allowed_.set();
    return set;
}

CharSet CharSet::Of(std::string_view chars) {
    CharSet set;
    for (char c : chars) {
        set.allowed_.set(static_cast<unsigned char>(c));
    }
    return set;
}

}  // namespace kelvane
