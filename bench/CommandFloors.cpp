// The floors of the command benchmark: each does the least work one of kelvane-cli's bulk
// commands can do on the big table and writes the same bytes the command writes, the way every
// file of ours is written (a temporary file beside the target, flushed to disk, renamed over
// it), through one 1 MiB buffer. The kinds of the fields come as one letter each (i, f, s).
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/LittleEndian.h"
#include "core/ValueText.h"

namespace {

constexpr size_t kPieceBytes = 1024 * 1024;
constexpr size_t kHeaderBytes = 20;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

class InputFile {
  public:
    explicit InputFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {
        if (fd_ < 0) {
            Fail("cannot open " + path);
        }
        size_ = static_cast<size_t>(::lseek(fd_, 0, SEEK_END));
    }
    ~InputFile() { ::close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    size_t Size() const { return size_; }
    void ReadAt(size_t offset, char* out, size_t bytes) const {
        for (size_t done = 0; done < bytes;) {
            const ssize_t got =
                ::pread(fd_, out + done, bytes - done, static_cast<off_t>(offset + done));
            if (got <= 0) {
                Fail("cannot read");
            }
            done += static_cast<size_t>(got);
        }
    }

  private:
    int fd_;
    size_t size_ = 0;
};

// Bytes gathered in a 1 MiB buffer and written to a temporary file that replaces the target.
class OutputFile {
  public:
    explicit OutputFile(std::string path)
        : path_(std::move(path)),
          temporary_(path_ + ".floor-tmp"),
          fd_(::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {
        if (fd_ < 0) {
            Fail("cannot create " + temporary_);
        }
        buffer_.reserve(kPieceBytes + 64 * 1024);
    }
    ~OutputFile() { ::close(fd_); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::string& Buffer() { return buffer_; }
    void FlushWhenFull() {
        if (buffer_.size() >= kPieceBytes) {
            Flush();
        }
    }
    void Write(std::string_view bytes) {
        buffer_ += bytes;
        FlushWhenFull();
    }
    void Commit() {
        Flush();
        if (::fsync(fd_) != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
            Fail("cannot write " + path_);
        }
    }

  private:
    void Flush() {
        if (::write(fd_, buffer_.data(), buffer_.size()) != static_cast<ssize_t>(buffer_.size())) {
            Fail("cannot write " + temporary_);
        }
        buffer_.clear();
    }

    std::string path_;
    std::string temporary_;
    int fd_;
    std::string buffer_;
};

struct Header {
    uint32_t Records = 0;
    uint32_t Fields = 0;
    size_t RecordSize = 0;
    size_t BlockSize = 0;
};

Header ReadHeader(const InputFile& file) {
    char bytes[kHeaderBytes];
    file.ReadAt(0, bytes, kHeaderBytes);
    return {kelvane::LoadUint32Le(bytes + 4), kelvane::LoadUint32Le(bytes + 8),
            kelvane::LoadUint32Le(bytes + 12), kelvane::LoadUint32Le(bytes + 16)};
}

// Calls each(record) for every record, read in pieces of whole records.
template <typename Each>
void ForEachRecord(const InputFile& file, const Header& header, Each each) {
    const size_t perPiece = std::max<size_t>(1, kPieceBytes / header.RecordSize);
    std::string piece(perPiece * header.RecordSize, '\0');
    for (size_t first = 0; first < header.Records; first += perPiece) {
        const size_t count = std::min<size_t>(perPiece, header.Records - first);
        file.ReadAt(kHeaderBytes + first * header.RecordSize, piece.data(),
                    count * header.RecordSize);
        for (size_t i = 0; i < count; ++i) {
            each(piece.data() + i * header.RecordSize);
        }
    }
}

std::string ReadBlock(const InputFile& file, const Header& header) {
    std::string block(header.BlockSize, '\0');
    file.ReadAt(file.Size() - header.BlockSize, block.data(), header.BlockSize);
    return block;
}

void AppendInteger(std::string& out, int32_t value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// The text of a cell as the exports write it, and whether it may need quotes.
bool AppendCell(std::string& out, char kind, const char* cell, const std::string& block) {
    const uint32_t bits = kelvane::LoadUint32Le(cell);
    switch (kind) {
        case 's':
            out += block.c_str() + bits;
            return true;
        case 'f':
            out += kelvane::FloatText(std::bit_cast<float>(bits));
            return true;
        default:
            AppendInteger(out, static_cast<int32_t>(bits));
            return false;
    }
}

// Puts the text from start in double quotes, doubling those inside, when it holds a blank, a
// control character, a double quote or a comma.
void QuoteForCsv(std::string& out, size_t start) {
    const std::string_view text = std::string_view(out).substr(start);
    const bool needs = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
    });
    if (!needs) {
        return;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    out.replace(start, std::string::npos, quoted);
}

void ExportCsv(const std::string& dbc, const std::string& kinds, const std::string& target) {
    const InputFile file(dbc);
    const Header header = ReadHeader(file);
    const std::string block = ReadBlock(file, header);
    OutputFile out(target);
    std::string& line = out.Buffer();
    ForEachRecord(file, header, [&](const char* record) {
        for (size_t field = 0; field < header.Fields; ++field) {
            if (field > 0) {
                line += ',';
            }
            const size_t start = line.size();
            if (AppendCell(line, kinds[field], record + 4 * field, block)) {
                QuoteForCsv(line, start);
            }
        }
        line += "\r\n";
        out.FlushWhenFull();
    });
    out.Commit();
}

void ExportPatch(const std::string& dbc, const std::string& kinds, const std::string& target) {
    const InputFile file(dbc);
    const Header header = ReadHeader(file);
    const std::string block = ReadBlock(file, header);
    OutputFile out(target);
    std::string& line = out.Buffer();
    ForEachRecord(file, header, [&](const char* record) {
        AppendCell(line, kinds[0], record, block);
        line += ':';
        for (size_t field = 1; field < header.Fields; ++field) {
            if (field > 1) {
                line += ',';
            }
            AppendInteger(line, static_cast<int32_t>(field));
            line += '=';
            const size_t start = line.size();
            if (AppendCell(line, kinds[field], record + 4 * field, block) &&
                line.find(',', start) != std::string::npos) {
                line.insert(start, 1, '"');
                line += '"';
            }
        }
        line += "\r\n";
        out.FlushWhenFull();
    });
    out.Commit();
}

void ExportDat(const std::string& dbc, const std::string& kinds, size_t idField, size_t nameField,
               const std::string& target) {
    const InputFile file(dbc);
    const Header header = ReadHeader(file);
    const std::string block = ReadBlock(file, header);
    OutputFile out(target);
    std::string& line = out.Buffer();
    ForEachRecord(file, header, [&](const char* record) {
        for (const size_t field : {idField, nameField}) {
            const size_t start = line.size();
            if (AppendCell(line, kinds[field], record + 4 * field, block)) {
                QuoteForCsv(line, start);
            }
            line += field == idField ? "," : "\r\n";
        }
        out.FlushWhenFull();
    });
    out.Write(",\r\n");
    out.Commit();
}

// The whole file read in pieces into one buffer on huge pages, every cell touched once.
void Load(const std::string& dbc) {
    const InputFile file(dbc);
    char* bytes = static_cast<char*>(
        ::mmap(nullptr, file.Size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (bytes == MAP_FAILED) {
        Fail("cannot map memory");
    }
    ::madvise(bytes, file.Size(), MADV_HUGEPAGE);
    for (size_t offset = 0; offset < file.Size(); offset += kPieceBytes) {
        file.ReadAt(offset, bytes + offset, std::min(kPieceBytes, file.Size() - offset));
    }
    uint64_t sum = 0;
    for (size_t offset = 0; offset + 4 <= file.Size(); offset += 4) {
        sum += kelvane::LoadUint32Le(bytes + offset);
    }
    std::cout << sum << '\n';
}

// Reads every input in pieces (its bytes summed, the least any reading of it does), and writes
// the table's bytes again: a floor below any command that reads an input and saves the table.
void Rewrite(const std::string& dbc, const std::vector<std::string>& inputs,
             const std::string& target) {
    uint64_t sum = 0;
    std::string piece(kPieceBytes, '\0');
    for (const std::string& path : inputs) {
        const InputFile input(path);
        for (size_t offset = 0; offset < input.Size(); offset += kPieceBytes) {
            const size_t bytes = std::min(kPieceBytes, input.Size() - offset);
            input.ReadAt(offset, piece.data(), bytes);
            for (size_t i = 0; i < bytes; ++i) {
                sum += static_cast<unsigned char>(piece[i]);
            }
        }
    }
    const InputFile file(dbc);
    OutputFile out(target);
    for (size_t offset = 0; offset < file.Size(); offset += kPieceBytes) {
        const size_t bytes = std::min(kPieceBytes, file.Size() - offset);
        out.Buffer().resize(bytes);
        file.ReadAt(offset, out.Buffer().data(), bytes);
        out.FlushWhenFull();
    }
    out.Commit();
    std::cout << sum << '\n';
}

// A patch of integer cells only ("key:c=v,c=v"): the table read whole, the patch in pieces, each
// value parsed straight into its record, the table written again.
void ApplyIntegerPatch(const std::string& dbc, const std::string& patch,
                       const std::string& target) {
    const InputFile file(dbc);
    const Header header = ReadHeader(file);
    std::string table(file.Size(), '\0');
    file.ReadAt(0, table.data(), table.size());
    std::unordered_map<int32_t, char*> records;
    records.reserve(header.Records);
    for (size_t i = 0; i < header.Records; ++i) {
        char* record = table.data() + kHeaderBytes + i * header.RecordSize;
        records.emplace(static_cast<int32_t>(kelvane::LoadUint32Le(record)), record);
    }
    const InputFile lines(patch);
    std::string carry;
    std::string piece(kPieceBytes, '\0');
    const auto applyLine = [&](std::string_view line) {
        const char* at = line.data();
        const char* end = at + line.size();
        int32_t key = 0;
        at = std::from_chars(at, end, key).ptr + 1;
        char* record = records.at(key);
        while (at < end) {
            int32_t field = 0;
            int32_t value = 0;
            at = std::from_chars(at, end, field).ptr + 1;
            at = std::from_chars(at, end, value).ptr + 1;
            kelvane::StoreUint32Le(record + 4 * static_cast<size_t>(field),
                                   static_cast<uint32_t>(value));
        }
    };
    for (size_t offset = 0; offset < lines.Size(); offset += kPieceBytes) {
        const size_t bytes = std::min(kPieceBytes, lines.Size() - offset);
        lines.ReadAt(offset, piece.data(), bytes);
        carry.append(piece.data(), bytes);
        size_t start = 0;
        for (size_t end = carry.find('\n'); end != std::string::npos;
             start = end + 1, end = carry.find('\n', start)) {
            const size_t length = end - start - (end > start && carry[end - 1] == '\r' ? 1 : 0);
            applyLine(std::string_view(carry).substr(start, length));
        }
        carry.erase(0, start);
    }
    OutputFile out(target);
    out.Write(table);
    out.Commit();
}

std::string ReadKinds(const std::string& path) {
    const InputFile file(path);
    std::string kinds(file.Size(), '\0');
    file.ReadAt(0, kinds.data(), kinds.size());
    return kinds;
}

int Run(const std::vector<std::string>& args) {
    const std::string& op = args.at(0);
    if (op == "load" && args.size() == 2) {
        Load(args[1]);
    } else if (op == "csv" && args.size() == 4) {
        ExportCsv(args[1], ReadKinds(args[2]), args[3]);
    } else if (op == "patch" && args.size() == 4) {
        ExportPatch(args[1], ReadKinds(args[2]), args[3]);
    } else if (op == "dat" && args.size() == 6) {
        ExportDat(args[1], ReadKinds(args[2]), std::stoul(args[3]), std::stoul(args[4]), args[5]);
    } else if (op == "apply-integers" && args.size() == 4) {
        ApplyIntegerPatch(args[1], args[2], args[3]);
    } else if (op == "rewrite" && args.size() >= 3) {
        Rewrite(args[1], {args.begin() + 2, args.end() - 1}, args.back());
    } else {
        std::cerr << "usage: kelvane_bench_floor load DBC | csv DBC KINDS OUT | patch DBC KINDS OUT"
                     " | dat DBC KINDS ID NAME OUT | apply-integers DBC PATCH OUT"
                     " | rewrite DBC [INPUT...] OUT\n";
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run({argv + 1, argv + argc});
    } catch (const std::exception& error) {
        std::cerr << "kelvane_bench_floor: " << error.what() << '\n';
        return 1;
    }
}
