#include "AboutBox.h"

#include "content/tessera.h"
#include "platform/Effects.h"

#include <QString>

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
    if (KOVA_listContents(&addContent, &text) != KOVA_OK)
        text += QStringLiteral("　コンテンツファイルを読み込めません\n");
    return text.trimmed().toStdU16String();
}

void installAboutBox(platform::Dialog* owner)
{
    KOVA_setAboutHandler(&showAbout, owner);
}
