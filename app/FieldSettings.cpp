#include "app/FieldSettings.h"

#include <optional>

#include "core/EchoText.h"
#include "core/FieldDefFile.h"
#include "core/KelvaneError.h"
#include "core/NotificationSuspension.h"
#include "core/TextUtil.h"
#include "core/ValueText.h"
#include "core/Workspace.h"

namespace kelvane {
namespace {

constexpr std::string_view kTrueText = "True";
constexpr std::string_view kFalseText = "False";

FieldDef DefOfRow(const FieldSettingsRow& row, int field) {
    FieldDef def;
    def.Number = field;
    def.Name = row.Name;
    def.KindText = row.Kind;
    def.Kind = FieldKindFromText(row.Kind).value_or(FieldKind::ftInteger);
    // A string column is never shown in hexadecimal, whatever its cell says; any other kind
    // keeps the flag, even a float.
    def.Hex = def.Kind != FieldKind::ftString && ReadBooleanCell(row.Hex);
    def.Bits = ReadFieldSizeCell(row.Bits);
    RequireStorableFieldDef(def);
    return def;
}

// Sets the confirmed field count when the taking over ends, also when a row failed.
class ConfirmFieldCount {
  public:
    ConfirmFieldCount(CurrentTable& current, int count) : current_(current), count_(count) {}
    ~ConfirmFieldCount() { current_.ConfirmedFieldCount = count_; }
    ConfirmFieldCount(const ConfirmFieldCount&) = delete;
    ConfirmFieldCount& operator=(const ConfirmFieldCount&) = delete;

  private:
    CurrentTable& current_;
    int count_;
};

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

void TakeOverFieldSettings(Workspace& work, const std::vector<FieldSettingsRow>& rows,
                           const std::function<void(int row)>& progress) {
    const int count = static_cast<int>(rows.size());
    const NotificationSuspension suspension(work.Table);
    const ConfirmFieldCount confirm(work.Current, count);
    // With no table open there is nothing to take over, and writing would empty the
    // definitions of the file the table came from.
    if (count == 0) {
        return;
    }
    // The file is written once, after the last row taken: writing it after every row would
    // leave the same file and cost a rewrite per field.
    for (int field = 0; field < count; ++field) {
        progress(field + 1);
        try {
            work.Defs[field] = DefOfRow(rows[static_cast<size_t>(field)], field);
        } catch (const KelvaneError&) {
            SaveFieldDefinitions(work.Current, work.Defs, count);
            throw;
        }
    }
    SaveFieldDefinitions(work.Current, work.Defs, count);
}

}  // namespace kelvane
