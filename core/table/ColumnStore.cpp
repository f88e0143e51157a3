#include "core/table/ColumnStore.h"

namespace kelvane {

size_t ColumnStore::Size() const {
    switch (Kind) {
        case FieldKind::ftString:
            return Strings.size();
        case FieldKind::ftFloat:
            return Floats.size();
        case FieldKind::ftInteger:
            break;
    }
    return Integers.size();
}

void ColumnStore::Resize(size_t slots, StringPool::Ref emptyString) {
    switch (Kind) {
        case FieldKind::ftString:
            Strings.resize(slots, emptyString);
            break;
        case FieldKind::ftFloat:
            Floats.resize(slots, 0.0);
            break;
        case FieldKind::ftInteger:
            Integers.resize(slots, 0);
            break;
    }
    if (Blanks.size() > slots) {
        Blanks.resize(slots);
    }
}

void ColumnStore::GrowUnset(size_t slots) {
    switch (Kind) {
        case FieldKind::ftString:
            Strings.resize(slots);
            break;
        case FieldKind::ftFloat:
            Floats.resize(slots);
            break;
        case FieldKind::ftInteger:
            Integers.resize(slots);
            break;
    }
}

void ColumnStore::SetBlank(size_t slot, bool blank) {
    if (!blank && slot >= Blanks.size()) {
        return;
    }
    if (slot >= Blanks.size()) {
        Blanks.resize(Size(), false);
    }
    Blanks[slot] = blank;
}

}  // namespace kelvane
