#include "AboutBox.h"

#include "content/ContentNames.h"
#include "content/tessera.h"
#include "platform/Effects.h"

#include <QString>
#include <array>
#include <string>

namespace {

void addContent(const char* name, int recordCount, void* text)
{
    QString line = QStringLiteral("　%1: ").arg(QString::fromUtf8(name));
    line += recordCount < 0 ? QStringLiteral("読み込めません")
                            : QStringLiteral("%1 件").arg(recordCount);
    *static_cast<QString*>(text) += line + u'\n';
}

void showAbout(void* owner)
{
    platform::effects().showMessage(static_cast<platform::Dialog*>(owner), aboutText(),
                                    u"このソフトについて", platform::MessageIcon::Information);
}

} // namespace

std::u16string aboutText()
{
    QString text = QStringLiteral("Verdane バージョン %1\n"
                                  "就職用の調査書の所見欄に使う文例を探すソフトです。\n\n"
                                  "コンテンツファイルの内容:\n")
                       .arg(QStringLiteral(VERDANE_VERSION));
    // Only the contents the program reads are named, and only they are read: a file with a
    // great many entries, or with very long names, still makes a box of a few short lines that
    // opens at once. The other entries are only counted.
    std::array<std::string, std::size(content::kAllContents)> names;
    std::array<const char*, std::size(content::kAllContents)> nameList;
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = content::kAllContents[i];
        nameList[i] = names[i].c_str();
    }
    int otherEntries = 0;
    if (KOVA_describeContents(nameList.data(), static_cast<int>(nameList.size()), &addContent,
                              &text, &otherEntries) != KOVA_OK)
        text += QStringLiteral("　コンテンツファイルを読み込めません\n");
    else if (otherEntries > 0)
        text += QStringLiteral("　ほかに %1 件のエントリがあります\n").arg(otherEntries);
    return text.trimmed().toStdU16String();
}

void installAboutBox(platform::Dialog* owner)
{
    KOVA_setAboutHandler(&showAbout, owner);
}
