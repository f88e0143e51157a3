#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/FieldDef.h"
#include "core/table/FieldKind.h"

namespace kelvane {

// The key lines of a preset's three sections, "Field N=value", before they become its text.
struct PresetLines {
    std::vector<std::string> Kind;
    std::vector<std::string> Name;
    std::vector<std::string> Hex;
};

// The fields of a built-in preset, given in field order the way one would describe them: runs
// of names, fields named by their own number, numbered series, then the exceptions of kind and
// the hexadecimal fields by position.
class PresetFields {
  public:
    // Fields named in turn.
    PresetFields& Add(std::initializer_list<std::string_view> names,
                      FieldKind kind = FieldKind::ftInteger);
    // Fields named by their own field number, up to and including field `last`.
    PresetFields& NumberedUpTo(int last, FieldKind kind = FieldKind::ftInteger);
    // The fields name[1], name[2], ... name[count].
    PresetFields& Series(std::string_view name, int count, FieldKind kind = FieldKind::ftInteger);
    PresetFields& SetKind(FieldKind kind, std::initializer_list<int> fields);
    PresetFields& SetHex(std::initializer_list<int> fields);

    int Count() const { return static_cast<int>(fields_.size()); }
    // One line per field in each section.
    PresetLines Lines() const;

  private:
    void Append(std::string name, FieldKind kind);
    std::vector<FieldDef> fields_;
};

// "[Field kind]", "[Field name]" and "[Field hex]" with their lines, CR LF after every line.
std::string PresetText(const PresetLines& lines);

}  // namespace kelvane
