#pragma once
// Reads a PDF back the way a viewer does, with the poppler command-line tools (poppler-utils):
// its text, its facts, its fonts and its pictures.

#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace testing_support {

struct CommandResult {
    int status = -1; // the exit code; -1 when the command could not be run
    QString output;  // standard output, UTF-8
};

inline CommandResult runCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return result;
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        bytes.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.output = QString::fromStdString(bytes);
    return result;
}

inline std::string quoted(const QString& path)
{
    QString q = path;
    q.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return "'" + q.toStdString() + "'";
}

inline CommandResult pdfInfo(const QString& pdf)
{
    return runCommand("pdfinfo " + quoted(pdf));
}
inline CommandResult pdfFonts(const QString& pdf)
{
    return runCommand("pdffonts " + quoted(pdf));
}
inline CommandResult pdfImages(const QString& pdf)
{
    return runCommand("pdfimages -list " + quoted(pdf));
}
// The text of one page (from 1), or of the whole document with page 0.
inline CommandResult pdfText(const QString& pdf, int page = 0)
{
    const std::string pages =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return runCommand("pdftotext -enc UTF-8" + pages + " " + quoted(pdf) + " -");
}

// A value of pdfinfo's output ("Title", "Pages", "Page size").
inline QString infoField(const QString& info, const QString& field)
{
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

// Text without any white space: how a table cell or a paragraph reads however the page wraps it.
inline QString withoutSpace(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c;
    }
    return out;
}

} // namespace testing_support
