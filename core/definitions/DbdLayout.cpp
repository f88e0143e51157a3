#include "core/definitions/DbdLayout.h"

#include <algorithm>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/definitions/DbdLocales.h"
#include "core/table/FieldDef.h"

namespace kelvane {
namespace {

// A comment is help shown beside a field, and every field of an array carries a copy: a longer
// one is cut, so that one long line cannot take memory of its length for thousands of fields.
constexpr size_t kLongestComment = 1000;

// The comment cut after kLongestComment bytes at the start of a UTF-8 character, with "...".
std::string KeptComment(std::string_view comment) {
    if (comment.size() <= kLongestComment) {
        return std::string(comment);
    }
    size_t end = kLongestComment;
    while (end > 0 && (static_cast<unsigned char>(comment[end]) & 0xc0) == 0x80) {
        --end;
    }
    return std::string(comment.substr(0, end)) + "...";
}

// The fields of one element of an entry, calling take(suffix, kind, bits, signed) for each.
template <typename Take>
void ForEachShape(DbdColumnType type, const DbdEntry& entry, const DbdBuild& build, Take take) {
    switch (type) {
        case DbdColumnType::Float:
            take("", FieldKind::ftFloat, 32, true);
            return;
        case DbdColumnType::String:
            take("", FieldKind::ftString, 32, true);
            return;
        case DbdColumnType::LocString: {
            const auto& locales = DbdLocaleSuffixes(build);
            if (locales.empty()) {
                take("", FieldKind::ftString, 32, true);
                return;
            }
            for (std::string_view locale : locales) {
                take(locale, FieldKind::ftString, 32, true);
            }
            take("flags", FieldKind::ftInteger, 32, false);
            return;
        }
        case DbdColumnType::Int:
        case DbdColumnType::Uint:
            break;
    }
    const bool isSigned = type == DbdColumnType::Int && !entry.Unsigned();
    if (entry.Bits == 64) {
        take("lo", FieldKind::ftInteger, 32, false);
        take("hi", FieldKind::ftInteger, 32, isSigned);
        return;
    }
    take("", FieldKind::ftInteger, entry.Bits == 0 ? 32 : entry.Bits, isSigned);
}

std::string JoinName(std::string_view base, std::string_view suffix) {
    std::string name(base);
    if (!suffix.empty()) {
        name += '_';
        name += suffix;
    }
    return name;
}

}  // namespace

DbdLayoutSize MeasureDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                               const DbdBuild& build) {
    DbdLayoutSize size;
    if (definition.EntriesLeftOut > 0) {
        // A layout of so many entries is too big for any table, whatever its entries are.
        size.FieldCount = MaxFieldCount + int64_t{definition.EntriesLeftOut};
    }
    for (uint32_t at = definition.Entries.First; at < definition.Entries.End(); ++at) {
        const DbdEntry& entry = file.Entries[at];
        if (entry.NonInline()) {
            continue;
        }
        const int64_t elements = entry.ArraySize == 0 ? 1 : entry.ArraySize;
        ForEachShape(file.Columns[entry.Column].Type, entry, build,
                     [&](std::string_view, FieldKind, int bits, bool) {
                         size.FieldCount += elements;
                         size.RecordBytes += elements * (bits / 8);
                     });
    }
    return size;
}

std::vector<DbdField> ExpandDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                                      const DbdBuild& build) {
    if (MeasureDbdLayout(file, definition, build).FieldCount > MaxFieldCount) {
        throw KelvaneError("The layout on line " + std::to_string(definition.LineNumber) +
                           " of \"" + file.FileName + "\" holds more than " +
                           std::to_string(MaxFieldCount) + " fields.");
    }
    std::vector<DbdField> fields;
    for (uint32_t at = definition.Entries.First; at < definition.Entries.End(); ++at) {
        const DbdEntry& entry = file.Entries[at];
        if (entry.NonInline()) {
            continue;
        }
        const std::string_view name = file.ColumnName(entry.Column);
        std::string foreignKey(file.TextOf(file.ForeignKeys.Find(entry.Column)));
        const std::string_view ownComment = file.EntryComment(at);
        const std::string comment =
            KeptComment(ownComment.empty() ? file.ColumnComment(entry.Column) : ownComment);
        for (int element = 0; element < std::max<int>(entry.ArraySize, 1); ++element) {
            const std::string base = entry.ArraySize == 0
                                         ? std::string(name)
                                         : JoinName(name, std::to_string(element + 1));
            ForEachShape(file.Columns[entry.Column].Type, entry, build,
                         [&](std::string_view suffix, FieldKind kind, int bits, bool isSigned) {
                             fields.push_back({JoinName(base, suffix), kind, bits, isSigned,
                                               entry.IsKey(), comment, foreignKey});
                         });
        }
    }
    return fields;
}

}  // namespace kelvane
