#include "core/definitions/PresetFields.h"
#include "core/table/Field.h"

namespace kelvane {
namespace {

std::string KeyLine(int32_t field, std::string_view value) {
    return "Field " + std::to_string(field) + "=" + std::string(value);
}

void AppendSection(std::string& text, std::string_view header,
                   const std::vector<std::string>& lines) {
    text += header;
    text += "\r\n";
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
}

}  // namespace

PresetFields& PresetFields::Add(std::initializer_list<std::string_view> names, FieldKind kind) {
    for (std::string_view name : names) {
        Append(std::string(name), kind);
    }
    return *this;
}

PresetFields& PresetFields::NumberedUpTo(int last, FieldKind kind) {
    while (Count() <= last) {
        Append(std::to_string(Count()), kind);
    }
    return *this;
}

PresetFields& PresetFields::Series(std::string_view name, int count, FieldKind kind) {
    for (int i = 1; i <= count; ++i) {
        Append(std::string(name) + "[" + std::to_string(i) + "]", kind);
    }
    return *this;
}

PresetFields& PresetFields::SetKind(FieldKind kind, std::initializer_list<int> fields) {
    for (int field : fields) {
        FieldDef& def = fields_.at(static_cast<size_t>(field));
        def.Kind = kind;
        def.KindText = FieldKindText(kind);
    }
    return *this;
}

PresetFields& PresetFields::SetHex(std::initializer_list<int> fields) {
    for (int field : fields) {
        fields_.at(static_cast<size_t>(field)).Hex = true;
    }
    return *this;
}

PresetLines PresetFields::Lines() const {
    PresetLines lines;
    for (const FieldDef& def : fields_) {
        lines.Kind.push_back(KeyLine(def.Number, def.KindText));
        lines.Name.push_back(KeyLine(def.Number, def.Name));
        lines.Hex.push_back(KeyLine(def.Number, def.Hex ? "1" : "0"));
    }
    return lines;
}

void PresetFields::Append(std::string name, FieldKind kind) {
    FieldDef def;
    def.Number = Count();
    def.Name = std::move(name);
    def.KindText = FieldKindText(kind);
    def.Kind = kind;
    fields_.push_back(std::move(def));
}

std::string PresetText(const PresetLines& lines) {
    std::string text;
    AppendSection(text, "[Field kind]", lines.Kind);
    AppendSection(text, "[Field name]", lines.Name);
    AppendSection(text, "[Field hex]", lines.Hex);
    return text;
}

}  // namespace kelvane
