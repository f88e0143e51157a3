#include "core/files/IniFile.h"

#include <algorithm>
#include <filesystem>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/base/Utf8.h"
#include "core/files/FileIo.h"

namespace kelvane {
namespace {

// Profile files hand back at most this much of a value; the rest is cut.
constexpr size_t kMaxValueLength = 2047;

// A long value is cut, as Windows cuts it; a UTF-8 value keeps its last character whole.
size_t CutLength(std::string_view value) {
    if (value.size() <= kMaxValueLength || !IsUtf8(value)) {
        return std::min(value.size(), kMaxValueLength);
    }
    size_t cut = kMaxValueLength;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return cut;
}

// "[name]" after optional blanks; the name is what stands before the first "]", trimmed.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    const size_t close = trimmed.find(']');
    if (!trimmed.starts_with('[') || close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(trimmed.substr(1, close - 1));
}

// The trimmed text before the first "=", or "" for a line that is no key line ("=value"
// names no key either).
std::string_view KeyName(std::string_view line) {
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view()
                                            : TrimBlanks(line.substr(0, equals));
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

}  // namespace

void IniFile::Section::Append(std::string line) {
    Lines.push_back(std::move(line));
    NoteKey(Lines.size() - 1);
}

void IniFile::Section::AddBeforeTrailingBlanks(std::string line) {
    size_t at = Lines.size();
    while (at > 0 && TrimBlanks(Lines[at - 1]).empty()) {
        --at;
    }
    // Only blank lines move, and they hold no keys, so the key positions stay right.
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    NoteKey(at);
}

void IniFile::Section::NoteKey(size_t at) {
    const std::string_view key = KeyName(Lines[at]);
    if (!key.empty()) {
        FirstKeyLine.try_emplace(UpperCase(key), at);
    }
}

IniFile IniFile::Load(const std::string& path, NamedBy namedBy) {
    std::error_code ignored;
    if (std::filesystem::status(path, ignored).type() == std::filesystem::file_type::not_found) {
        return IniFile();
    }
    return Parse(ReadWholeFile(path, namedBy));
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        std::string line(text.substr(0, end));
        if (const auto name = SectionName(line)) {
            ini.sections_.push_back(Section{std::move(line), std::string(*name), {}, {}});
        } else if (ini.sections_.empty()) {
            ini.leadingLines_.push_back(std::move(line));
        } else {
            ini.sections_.back().Append(std::move(line));
        }
        if (end == std::string_view::npos) {
            break;
        }
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return ini;
}

size_t IniFile::FindSection(std::string_view name) const {
    const auto found = std::find_if(sections_.begin(), sections_.end(), [name](const Section& s) {
        return EqualsIgnoreCase(s.Name, name);
    });
    return static_cast<size_t>(found - sections_.begin());
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
    const size_t index = FindSection(section);
    if (index == sections_.size()) {
        return std::nullopt;
    }
    const Section& found = sections_[index];
    const auto line = found.FirstKeyLine.find(UpperCase(key));
    if (line == found.FirstKeyLine.end()) {
        return std::nullopt;
    }
    const std::string_view text = found.Lines[line->second];
    const std::string_view value = Unquoted(TrimBlanks(text.substr(text.find('=') + 1)));
    return std::string(value.substr(0, CutLength(value)));
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const size_t index = FindSection(section);
    if (index == sections_.size()) {
        return keys;
    }
    for (const std::string& line : sections_[index].Lines) {
        const std::string_view key = KeyName(line);
        if (!key.empty()) {
            keys.emplace_back(key);
        }
    }
    return keys;
}

void IniFile::RemoveSection(std::string_view section) {
    std::erase_if(sections_,
                  [section](const Section& s) { return EqualsIgnoreCase(s.Name, section); });
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    for (const std::string_view text : {section, key, value}) {
        if (HoldsControlCharacter(text)) {
            throw KelvaneError("'" + EchoText(text) + "' " +
                               std::string(HoldsControlCharacterWords) +
                               ", which a line of an INI file cannot keep");
        }
    }
    size_t index = FindSection(section);
    if (index == sections_.size()) {
        sections_.push_back(
            Section{"[" + std::string(section) + "]", std::string(section), {}, {}});
    }
    Section& target = sections_[index];
    const auto line = target.FirstKeyLine.find(UpperCase(key));
    if (line == target.FirstKeyLine.end()) {
        target.AddBeforeTrailingBlanks(KeyLine(key, value));
        return;
    }
    // The key keeps its spelling in the file; only the value changes.
    std::string& text = target.Lines[line->second];
    text = KeyLine(KeyName(text), value);
}

std::string IniFile::Text() const {
    std::string text;
    const auto addLine = [&text](const std::string& line) {
        text += line;
        text += "\r\n";
    };
    std::for_each(leadingLines_.begin(), leadingLines_.end(), addLine);
    for (const Section& section : sections_) {
        addLine(section.Header);
        std::for_each(section.Lines.begin(), section.Lines.end(), addLine);
    }
    return text;
}

void IniFile::Save(const std::string& path) const {
    try {
        WriteFileAtomically(path, Text());
    } catch (const KelvaneError&) {
        throw KelvaneError("Unable to write to " + path);
    }
}

}  // namespace kelvane
