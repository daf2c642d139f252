#pragma once
// A class's remarks as a CSV file for the school's system or a spreadsheet: one row per student
// (学年, 組, 出席番号, the memo, then one column per field of the form holding the remark of that
// field changed last), quoted as RFC 4180 says, line breaks kept inside their cell. In UTF-8 with
// a byte order mark, which spreadsheets need to read it as UTF-8, or in code page 932 for
// systems that read nothing else.

#include "RemarkStore.h"

#include <string>
#include <variant>
#include <vector>

namespace store {

enum class CsvEncoding { Utf8WithBom, Cp932 };

// A character the chosen encoding cannot hold, and where it is.
struct Unwritable {
    std::u16string character;
    int number; // 出席番号 of the row it is in; 0 for the heading
    std::u16string column;
};

// The file's bytes, or the first character that cannot be written.
std::variant<std::string, Unwritable> classCsv(const RemarkStore& store, Id classId,
                                               const std::vector<std::u16string>& fields,
                                               CsvEncoding encoding);

// Writes the class to path whole, or leaves whatever was there as it was. Empty when written;
// otherwise what to tell the teacher.
std::u16string exportClass(const RemarkStore& store, Id classId,
                           const std::vector<std::u16string>& fields, CsvEncoding encoding,
                           const std::string& path);

} // namespace store
