#include "ClassCsv.h"

#include "content/Cp932.h"
#include "content/Utf8.h"

#include <QSaveFile>
#include <QString>
#include <map>

namespace store {

namespace {

// A cell as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break, its
// quotes doubled; every line break a CR LF, as the spreadsheets of the schools read it.
std::u16string cell(std::u16string_view text)
{
    std::u16string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        if (text[i] == u'\n' || text[i] == u'\r')
            lines += u"\r\n";
        else
            lines += text[i];
    }
    if (lines.find_first_of(u",\"\r\n") == std::u16string::npos)
        return lines;
    std::u16string quoted = u"\"";
    for (const char16_t unit : lines) {
        quoted += unit;
        if (unit == u'"')
            quoted += u'"';
    }
    return quoted + u'"';
}

std::u16string number(long long value)
{
    return QString::number(value).toStdU16String();
}

// The character of UTF-8 text that starts at offset at.
std::u16string characterAt(std::string_view utf8, std::size_t at)
{
    std::size_t end = at;
    char32_t unused = 0;
    if (!content::readCodePoint(utf8, end, unused))
        end = at + 1;
    return QString::fromUtf8(utf8.data() + at, static_cast<qsizetype>(end - at)).toStdU16String();
}

} // namespace

std::variant<std::string, Unwritable> classCsv(const RemarkStore& store, Id classId,
                                               const std::vector<std::u16string>& fields,
                                               CsvEncoding encoding)
{
    const std::optional<SchoolClass> schoolClass = store.schoolClass(classId);
    std::vector<std::u16string> heading = {u"学年", u"組", u"出席番号", u"メモ"};
    heading.insert(heading.end(), fields.begin(), fields.end());

    std::string bytes = encoding == CsvEncoding::Utf8WithBom ? "\xEF\xBB\xBF" : "";
    // One row at a time, each cell checked on its own so that the teacher is told where.
    const auto addRow = [&](const std::vector<std::u16string>& cells,
                            int row) -> std::optional<Unwritable> {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const std::u16string written =
                cell(cells[column]) + (column + 1 < cells.size() ? u"," : u"\r\n");
            if (encoding == CsvEncoding::Utf8WithBom) {
                bytes += QString::fromStdU16String(written).toStdString();
                continue;
            }
            const std::string utf8 = content::toUtf8(written);
            auto converted = content::utf8ToCp932OrStop(utf8);
            if (const auto* at = std::get_if<std::size_t>(&converted))
                return Unwritable{characterAt(utf8, *at), row, heading[column]};
            bytes += std::get<std::string>(converted);
        }
        return std::nullopt;
    };
    if (auto failed = addRow(heading, 0))
        return *failed;
    if (!schoolClass)
        return bytes;
    for (const Student& student : store.students(classId)) {
        // The remark of each field changed last: the version the teacher worked on at the end.
        std::map<std::u16string, Remark> latest;
        for (const Remark& remark : store.remarks(student.id)) {
            auto& kept = latest[remark.field];
            if (kept.field.empty() || remark.updated > kept.updated ||
                (remark.updated == kept.updated && remark.version > kept.version))
                kept = remark;
        }
        std::vector<std::u16string> cells = {number(schoolClass->grade), schoolClass->room,
                                             number(student.number), student.memo};
        for (const std::u16string& field : fields) {
            const auto found = latest.find(field);
            cells.push_back(found == latest.end() ? std::u16string() : found->second.text);
        }
        if (auto failed = addRow(cells, student.number))
            return *failed;
    }
    return bytes;
}

std::u16string exportClass(const RemarkStore& store, Id classId,
                           const std::vector<std::u16string>& fields, CsvEncoding encoding,
                           const std::string& path)
{
    std::variant<std::string, Unwritable> made;
    try {
        made = classCsv(store, classId, fields, encoding);
    } catch (const StoreError& error) {
        return QStringLiteral("書き出せませんでした（%1）。").arg(error.what()).toStdU16String();
    }
    if (const auto* unwritable = std::get_if<Unwritable>(&made)) {
        const QString where = unwritable->number > 0
                                  ? QStringLiteral("出席番号 %1 の「%2」")
                                        .arg(unwritable->number)
                                        .arg(QString::fromStdU16String(unwritable->column))
                                  : QStringLiteral("見出し");
        // With its code as well: a character that the font cannot show either is drawn as a box.
        const QString character = QString::fromStdU16String(unwritable->character);
        const char32_t code = character.toUcs4().value(0);
        return QStringLiteral(
                   "%1にある文字「%2」(U+%3) は Shift_JIS (CP932) で書けないため、"
                   "書き出しませんでした。その文字を直すか、UTF-8 で書き出してください。")
            .arg(where, character,
                 QStringLiteral("%1")
                     .arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'))
                     .toUpper())
            .toStdU16String();
    }
    const std::string& bytes = std::get<std::string>(made);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit())
        return QStringLiteral("書き出せませんでした（%1）。")
            .arg(file.errorString())
            .toStdU16String();
    return {};
}

} // namespace store
