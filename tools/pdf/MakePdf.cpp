// verdane-pdf: makes one of the documents beside the program from its text source.
//
//   verdane-pdf SOURCE.txt OUTPUT.pdf [PICTURE_FOLDER...]
//
// SOURCE is Markdown as Source.h describes it. Pictures are looked up in the folders given,
// then beside SOURCE. Every problem (in the source, a missing picture, a character the font
// cannot show) is reported as "SOURCE: what"; then nothing is written and the exit code is 1,
// so a build never ships a document with holes in it.

#include "PdfDocument.h"
#include "Source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Fonts and painting need the GUI library, never a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: verdane-pdf SOURCE.txt OUTPUT.pdf [PICTURE_FOLDER...]\n");
        return 2;
    }
    const QString source = arguments[1];
    const QString output = arguments[2];
    QStringList folders = arguments.mid(3);
    folders.append(QFileInfo(source).absolutePath());

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", qPrintable(source));
        return 1;
    }
    const docs::SourceResult read = docs::readSource(QString::fromUtf8(file.readAll()));
    QStringList errors = read.errors;
    docs::PdfResult written;
    if (errors.isEmpty()) {
        QDir().mkpath(QFileInfo(output).absolutePath());
        written = docs::writePdf(*read.document, folders, output);
        errors = written.errors;
    }
    for (const QString& error : errors)
        std::fprintf(stderr, "%s: %s\n", qPrintable(source), qPrintable(error));
    if (!errors.isEmpty())
        return 1;
    std::printf("%s: %d pages\n", qPrintable(output), written.pages);
    return 0;
}
