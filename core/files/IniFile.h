#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/files/InputFile.h"

namespace kelvane {

// An INI profile file with the rules field-definition files have always been read and written
// by: section and key names match without case, the first of duplicate keys wins, values are
// trimmed and unquoted and read up to 2047 characters; writing keeps every other line, removes
// whole sections and appends missing sections at the end; lines end in CR LF.
class IniFile {
  public:
    // A missing file reads like an empty one; see ReadWholeFile for the rest.
    static IniFile Load(const std::string& path, NamedBy namedBy);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // The keys of the first section of that name, in file order, duplicates included.
    std::vector<std::string> Keys(std::string_view section) const;

    void RemoveSection(std::string_view section);
    // Replaces the value of the key's first occurrence, or adds the key at the end of its
    // section, or appends the section at the end of the file. A section, key or value holding a
    // control character fails with a KelvaneError quoting it: a line break in it would start a
    // line of its own, and reading trims control characters from the ends of a value.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Atomic; fails with "Unable to write to %s".
    void Save(const std::string& path) const;

  private:
    // A section line and the lines after it up to the next section line.
    struct Section {
        std::string Header;  // the section line as it stands
        std::string Name;    // the name inside the brackets, trimmed
        std::vector<std::string> Lines;
        // Where the first occurrence of each key is, by upper-cased key name.
        std::unordered_map<std::string, size_t> FirstKeyLine;

        void Append(std::string line);
        // After the last line that is not blank, so blank lines that set the next section
        // apart stay where they are.
        void AddBeforeTrailingBlanks(std::string line);

      private:
        void NoteKey(size_t at);
    };

    // The index of the first section of that name, or the section count.
    size_t FindSection(std::string_view name) const;

    std::vector<std::string> leadingLines_;  // before the first section: kept, never read
    std::vector<Section> sections_;
};

}  // namespace kelvane
