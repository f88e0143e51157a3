#include "bench/SpellLikeBenchLayout.h"

namespace kelvane::bench {

SpellLikeLayout SpellLikeBenchLayout() {
    SpellLikeLayout layout;
    layout.FieldCount = kSpellLikeFields;
    for (int group = 0; group < 4; ++group) {
        for (int field = 0; field < 4; ++field) {
            layout.StringFields.push_back(136 + group * 5 + field);
        }
    }
    layout.FloatFields = {35, 70, 71, 72, 109, 110, 111, 225, 226, 227, 228, 229};
    return layout;
}

}  // namespace kelvane::bench
