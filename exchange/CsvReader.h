#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ByteSource.h"

namespace kelvane {

// The items of a file without a byte order mark that were not UTF-8 and were read as
// Windows-1252.
struct CsvConversions {
    int64_t Items = 0;
    int64_t FirstLine = 0;  // where the record of the first of them starts
    size_t FirstItem = 0;   // its place in that record, from 0
};

// The records of comma-separated text as our exports and spreadsheets write it: items split at
// commas, an item in double quotes holding commas, doubled quotes and line breaks, records
// ending at CR LF, LF or CR. Empty lines hold no record and are passed over. The file is read
// in pieces, so it never has to fit in memory whole.
//
// Texts are taken item by item. After a UTF-8 byte order mark every item keeps its bytes as
// they are: our export writes the mark when some text is not UTF-8, so its texts come back
// whatever their bytes. Without the mark an item that is well-formed UTF-8 stays as it is, and
// one that is not is taken as Windows-1252, the other encoding spreadsheets write, and
// converted to UTF-8.
class CsvReader {
  public:
    // fileName names the file in messages. pieceBytes is how much is read at a time.
    CsvReader(ByteSource& source, std::string fileName, size_t pieceBytes = size_t{1} << 20);

    // Whether the file starts with a byte order mark, so that no item was converted.
    bool KeepsBytes() const { return keepBytes_; }
    // The items converted from Windows-1252 in the records read so far.
    const CsvConversions& Conversions() const { return conversions_; }

    // Reads the next record; false after the last. Fails with a KelvaneError naming the file and
    // the line for an unterminated quote, a quote inside an unquoted item or text after a
    // closing quote.
    bool Next();

    // The items of the record read last, valid until the next call.
    const std::vector<std::string_view>& Items() const { return items_; }
    // How much of the file has been read so far, in pieces: for progress.
    uint64_t BytesRead() const { return offset_; }
    // The line of the file, counted from 1, where the record read last starts.
    int64_t Line() const { return recordLine_; }

    // "FILE line N" for the record read last.
    std::string Where() const;
    // "FILE line N: what" for the record read last.
    std::string LineMessage(const std::string& what) const { return Where() + ": " + what; }

  private:
    enum class Parse { Record, EmptyLine, NeedMore };

    Parse ParseRecord();
    // Each takes the item at at into texts_ and moves at past it; false when the buffer ends
    // before it is known where the item ends.
    bool TakeQuoted(size_t& at, int64_t& line);
    bool TakeUnquoted(size_t& at, int64_t line);
    void ReadPiece();
    // Converts the items of the record just taken apart that are not UTF-8.
    void ConvertWindows1252Items();
    [[noreturn]] void Fail(int64_t line, const std::string& what) const;
    bool MoreToRead() const { return offset_ < source_.Size(); }

    ByteSource& source_;
    std::string fileName_;
    size_t pieceBytes_;
    bool keepBytes_ = false;
    CsvConversions conversions_;
    uint64_t offset_ = 0;  // how much of the source has been read
    std::string buffer_;   // read but not yet taken apart, from start_ on
    size_t start_ = 0;
    int64_t line_ = 1;  // the line at start_
    int64_t recordLine_ = 0;
    std::string texts_;      // the items of the record, one after the other
    std::string converted_;  // texts_ again, with items converted; reused from record to record
    std::vector<size_t> ends_;
    std::vector<std::string_view> items_;
};

}  // namespace kelvane
