#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// An INI profile file with the rules field-definition files have always been read and written
// by: section and key names match without case, the first of duplicate keys wins, values are
// trimmed and unquoted and read up to 2047 characters; writing keeps every other line, removes
// whole sections and appends missing sections at the end; lines end in CR LF.
class IniFile {
  public:
    // A missing file reads like an empty one.
    static IniFile Load(const std::string& path);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // The keys of the first section of that name, in file order, duplicates included.
    std::vector<std::string> Keys(std::string_view section) const;

    void RemoveSection(std::string_view section);
    // Replaces the value of the key's first occurrence, or adds the key at the end of its
    // section, or appends the section at the end of the file.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Atomic; fails with "Unable to write to %s".
    void Save(const std::string& path) const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace kelvane
