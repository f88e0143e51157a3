#include "bench/FloorTable.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench/FloorOutput.h"
#include "core/base/NearestFloat.h"
#include "core/base/ValueText.h"
#include "core/definitions/FieldDefFile.h"
#include "core/files/IniFile.h"

namespace kelvane::bench {
namespace {

constexpr size_t kPiece = 1 << 20;
constexpr size_t kHugePage = 2 << 20;

bool SameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void ReadInPieces(const std::string& path, char* into, size_t size) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0) {
        FailFloor(path);
    }
    for (size_t done = 0; done < size;) {
        const ssize_t got = read(file, into + done, std::min(kPiece, size - done));
        if (got <= 0) {
            FailFloor(path);
        }
        done += static_cast<size_t>(got);
    }
    close(file);
}

}  // namespace

void FloorTable::Freed::operator()(unsigned char* bytes) const {
    std::free(bytes);
}

FloorTable::FloorTable(const std::string& path) {
    size_ = std::filesystem::file_size(path);
    void* memory = nullptr;
    if (posix_memalign(&memory, kHugePage, size_ + kPiece) != 0) {
        FailFloor("allocating");
    }
#ifdef MADV_HUGEPAGE
    madvise(memory, size_ + kPiece, MADV_HUGEPAGE);
#endif
    bytes_.reset(static_cast<unsigned char*>(memory));
    ReadInPieces(path, static_cast<char*>(memory), size_);
    uint32_t header[5];
    std::memcpy(header, bytes_.get(), sizeof header);
    records_ = header[1];
    fields_ = header[2];
    recordBytes_ = header[3];
    strings_ = reinterpret_cast<const char*>(bytes_.get()) + kHeaderBytes +
               static_cast<size_t>(records_) * recordBytes_;

    const IniFile ini = IniFile::Load(
        std::filesystem::path(path).replace_extension(".ini").string(), NamedBy::Program);
    for (uint32_t field = 0; field < fields_; ++field) {
        const FieldDef def = ReadFieldDef(ini, static_cast<int>(field));
        kinds_.push_back(def.Kind);
        names_.push_back(def.Name);
    }
}

uint32_t FloorTable::FieldNamed(std::string_view name) const {
    for (uint32_t field = 0; field < fields_; ++field) {
        if (SameWithoutCase(names_[field], name)) {
            return field;
        }
    }
    throw std::runtime_error("no field named " + std::string(name));
}

void FloorTable::AppendText(std::string& out, uint32_t record, uint32_t field) const {
    const uint32_t value = Cell(record, field);
    switch (kinds_[field]) {
        case FieldKind::ftString:
            out += std::string_view(strings_ + value);
            return;
        case FieldKind::ftFloat: {
            float number;
            std::memcpy(&number, &value, sizeof number);
            out += FloatText(WidenFloat(number));
            return;
        }
        case FieldKind::ftInteger:
            break;
    }
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, static_cast<int32_t>(value)).ptr;
    out.append(text, end);
}

FloorText ReadFloorText(const std::string& path) {
    FloorText text;
    text.Size = std::filesystem::file_size(path);
    text.Bytes = std::make_unique_for_overwrite<char[]>(text.Size);
    ReadInPieces(path, text.Bytes.get(), text.Size);
    return text;
}

}  // namespace kelvane::bench
