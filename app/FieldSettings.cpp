#include "app/FieldSettings.h"

#include <memory>
#include <optional>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/definitions/FieldDefFile.h"
#include "core/table/NotificationSuspension.h"
#include "core/workspace/Workspace.h"

namespace kelvane {
namespace {

constexpr std::string_view kTrueText = "True";
constexpr std::string_view kFalseText = "False";

// The kinds are chosen from a list; a text that is none of them is no kind to guess at.
FieldKind ReadKindCell(const std::string& text) {
    if (const std::optional<FieldKind> kind = FieldKindFromText(text)) {
        return *kind;
    }
    throw KelvaneError("'" + EchoText(text) +
                       "' is not a field kind: choose ftInteger, ftFloat or ftString");
}

FieldDef DefOfRow(const FieldSettingsRow& row, int field) {
    FieldDef def;
    def.Number = field;
    def.Name = row.Name;
    def.KindText = row.Kind;
    def.Kind = ReadKindCell(row.Kind);
    // A string column is never shown in hexadecimal, whatever its cell says; any other kind
    // keeps the flag, even a float.
    def.Hex = def.Kind != FieldKind::ftString && ReadBooleanCell(row.Hex);
    def.Bits = ReadFieldSizeCell(row.Bits);
    RequireStorableFieldDef(def);
    return def;
}

}  // namespace

FieldSettingsRow FieldSettingsRowOf(const FieldDef& def) {
    return {std::to_string(def.Number), def.Name, def.KindText,
            std::string(def.Hex ? kTrueText : kFalseText),
            def.Bits == 0 ? AutoFieldSizeText : std::to_string(def.Bits)};
}

std::vector<FieldSettingsRow> FieldSettingsRows(const RecordTable& table,
                                                const FieldDefList& defs) {
    std::vector<FieldSettingsRow> rows;
    for (int field = 0; field < table.FieldCount() - 1; ++field) {
        rows.push_back(FieldSettingsRowOf(defs[field]));
    }
    return rows;
}

bool ReadBooleanCell(std::string_view text) {
    if (const std::optional<double> number = ParseFloatText(text)) {
        return *number != 0;
    }
    if (EqualsIgnoreCase(text, kTrueText)) {
        return true;
    }
    if (EqualsIgnoreCase(text, kFalseText)) {
        return false;
    }
    throw KelvaneError("'" + EchoText(text) + "' is not a valid boolean value");
}

int ReadFieldSizeCell(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty() || EqualsIgnoreCase(trimmed, AutoFieldSizeText)) {
        return 0;
    }
    const std::optional<int32_t> bits = ParseIntegerText(trimmed);
    if (!bits || !IsFieldSize(*bits)) {
        throw KelvaneError("'" + EchoText(text) + "' is not a field size: use 8, 16, 32 or " +
                           AutoFieldSizeText);
    }
    return *bits;
}

std::vector<FieldDef> FieldDefsOfRows(const std::vector<FieldSettingsRow>& rows,
                                      const std::function<void(int row)>& progress) {
    std::vector<FieldDef> defs;
    for (size_t row = 0; row < rows.size(); ++row) {
        const int field = static_cast<int>(row);
        progress(field + 1);
        try {
            defs.push_back(DefOfRow(rows[row], field));
        } catch (const KelvaneError& error) {
            throw KelvaneError("Field " + std::to_string(field) + ": " + error.what() +
                               ". Nothing was taken over.");
        }
    }
    return defs;
}

void TakeOverFieldDefs(Workspace& work, const std::vector<FieldDef>& defs) {
    const int count = static_cast<int>(defs.size());
    if (count == 0) {
        work.Current.ConfirmedFieldCount = 0;
        return;
    }
    const NotificationSuspension suspension(work.Table);
    // On the heap: the list holds an entry for every field a table may have.
    auto taken = std::make_unique<FieldDefList>(work.Defs);
    for (const FieldDef& def : defs) {
        (*taken)[def.Number] = def;
    }
    if (!work.Current.FilePath.empty()) {
        SaveFieldDefinitions(work.Current, *taken, count);
    }
    work.Defs = *taken;
    work.Current.ConfirmedFieldCount = count;
}

}  // namespace kelvane
