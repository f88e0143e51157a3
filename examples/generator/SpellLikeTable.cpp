#include "examples/generator/SpellLikeTable.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/dbc/StringBlockBuilder.h"
#include "core/workspace/TableFromDefinitions.h"
#include "core/workspace/Workspace.h"
#include "examples/generator/Random.h"
#include "examples/generator/SpellCatalog.h"
#include "examples/generator/SpellFieldRules.h"
#include "examples/generator/SpellTexts.h"
#include "examples/generator/UnnamedFieldValues.h"

namespace kelvane {
namespace {

enum class SpellText { Name, Rank, Description, BuffDescription };
constexpr std::array<std::string_view, 4> kTextNames{"Name", "Rank", "Description",
                                                     "BuffDescription"};

// What a string field holds: a text, or (Alternate above 0) one of that text's alternates.
struct StringFieldRole {
    SpellText Text = SpellText::Name;
    int Alternate = 0;
};

std::vector<StringFieldRole> StringRoles(size_t stringCount) {
    std::vector<StringFieldRole> roles;
    for (size_t position = 0; position < stringCount; ++position) {
        const auto group = static_cast<int>(position * kTextNames.size() / stringCount);
        const bool opensGroup = roles.empty() || static_cast<int>(roles.back().Text) != group;
        roles.push_back(StringFieldRole{static_cast<SpellText>(group),
                                        opensGroup ? 0 : roles.back().Alternate + 1});
    }
    return roles;
}

std::string TextOf(SpellText text, const SpellCatalog& catalog, int record) {
    switch (text) {
        case SpellText::Name:
            return catalog.LineOf(record).Name;
        case SpellText::Rank:
            return SpellRankText(catalog, record);
        case SpellText::Description:
            return SpellDescription(catalog, record);
        case SpellText::BuffDescription:
            break;
    }
    return SpellBuffDescription(catalog, record);
}

bool IsNumberName(std::string_view name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void FillIntegers(ColumnStore& store, std::string_view name, const SpellCatalog& catalog,
                  Random& random) {
    const auto records = static_cast<size_t>(catalog.RecordCount());
    store.Integers.resize(records, 0);
    if (const IntegerFieldRule rule = FindIntegerFieldRule(name)) {
        for (size_t record = 0; record < records; ++record) {
            store.Integers[record] = rule(catalog, static_cast<int>(record));
        }
    } else if (IsNumberName(name)) {
        FillUnnamedIntegers(store.Integers, catalog, random);
    }
}

void FillFloats(ColumnStore& store, std::string_view name, const SpellCatalog& catalog,
                Random& random) {
    const auto records = static_cast<size_t>(catalog.RecordCount());
    store.Floats.resize(records, 0.0);
    if (const FloatFieldRule rule = FindFloatFieldRule(name)) {
        for (size_t record = 0; record < records; ++record) {
            store.Floats[record] = rule(catalog, static_cast<int>(record));
        }
    } else if (IsNumberName(name)) {
        FillUnnamedFloats(store.Floats, random);
    }
}

// The block offsets of one text of every record, made when a field first asks for them.
class SpellTextColumns {
  public:
    SpellTextColumns(const SpellCatalog& catalog, StringBlockBuilder& block)
        : catalog_(catalog), block_(block) {}

    const std::vector<uint32_t>& Offsets(SpellText text) {
        std::optional<std::vector<uint32_t>>& offsets = offsets_[static_cast<size_t>(text)];
        if (!offsets) {
            offsets.emplace(static_cast<size_t>(catalog_.RecordCount()));
            for (int record = 0; record < catalog_.RecordCount(); ++record) {
                (*offsets)[static_cast<size_t>(record)] =
                    block_.Place(TextOf(text, catalog_, record));
            }
        }
        return *offsets;
    }

  private:
    const SpellCatalog& catalog_;
    StringBlockBuilder& block_;
    std::array<std::optional<std::vector<uint32_t>>, kTextNames.size()> offsets_;
};

void FillStrings(ColumnStore& store, StringFieldRole role, SpellTextColumns& texts,
                 Random& random) {
    const std::vector<uint32_t>& offsets = texts.Offsets(role.Text);
    store.Strings.resize(offsets.size(), 0);
    for (size_t record = 0; record < offsets.size(); ++record) {
        const bool copied = role.Alternate == 0 || random.Percent(10);
        store.Strings[record] = StringPool::BlockRef(copied ? offsets[record] : 0);
    }
}

}  // namespace

void DescribeSpellLikeFields(const SpellLikeLayout& layout, FieldDefList& defs) {
    const std::vector<StringFieldRole> roles = StringRoles(layout.StringFields.size());
    for (int field = 0; field < layout.FieldCount; ++field) {
        FieldDef& def = defs[field];
        def = FieldDef{};
        def.Number = field;
        def.Name = field == 0 ? "ID" : std::to_string(field);
        const auto string =
            std::find(layout.StringFields.begin(), layout.StringFields.end(), field);
        if (string != layout.StringFields.end()) {
            const StringFieldRole role =
                roles[static_cast<size_t>(string - layout.StringFields.begin())];
            def.Kind = FieldKind::ftString;
            def.Name = std::string(kTextNames[static_cast<size_t>(role.Text)]);
            if (role.Alternate > 0) {
                def.Name += "Alt[" + std::to_string(role.Alternate) + "]";
            }
        } else if (std::find(layout.FloatFields.begin(), layout.FloatFields.end(), field) !=
                   layout.FloatFields.end()) {
            def.Kind = FieldKind::ftFloat;
        }
        def.KindText = std::string(FieldKindText(def.Kind));
    }
}

void FillSpellLikeTable(Workspace& workspace, int fieldCount, int recordCount, uint32_t seed) {
    CreateTableFromDefinitions(workspace, fieldCount);
    const RecordTable& table = workspace.Table;
    const SpellCatalog catalog(recordCount, MixSeed(seed, 0));
    StringBlockBuilder block;
    SpellTextColumns texts(catalog, block);

    LoadedRows rows;
    rows.Columns.resize(static_cast<size_t>(fieldCount) + 1);
    ColumnVector<int32_t>& index = rows.Columns[0].Integers;
    index.resize(static_cast<size_t>(recordCount));
    std::iota(index.begin(), index.end(), 0);

    int stringCount = 0;
    for (int column = 1; column <= fieldCount; ++column) {
        stringCount += table.ColumnKind(column) == FieldKind::ftString ? 1 : 0;
    }
    const std::vector<StringFieldRole> roles = StringRoles(static_cast<size_t>(stringCount));
    size_t stringPosition = 0;
    for (int column = 1; column <= fieldCount; ++column) {
        ColumnStore& store = rows.Columns[static_cast<size_t>(column)];
        store.Kind = table.ColumnKind(column);
        Random random(MixSeed(seed, static_cast<uint32_t>(column)));
        switch (store.Kind) {
            case FieldKind::ftString:
                FillStrings(store, roles[stringPosition++], texts, random);
                break;
            case FieldKind::ftFloat:
                FillFloats(store, table.ColumnName(column), catalog, random);
                break;
            case FieldKind::ftInteger:
                FillIntegers(store, table.ColumnName(column), catalog, random);
                break;
        }
    }
    rows.Strings = StringPool(block.Block());
    workspace.Table.AdoptLoadedRows(std::move(rows));
}

}  // namespace kelvane
