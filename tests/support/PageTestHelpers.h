#pragma once
// What the page tests share: readable strings for assertions, the wheel and key presses as the
// window system delivers them, and content records built from the codes they belong to.

#include "PageHost.h"
#include "RecordingEffects.h"
#include "pages/SentencePage.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace testing_support {

inline std::string utf8(const QString& text)
{
    return text.toStdString();
}
inline std::string utf8(const std::u16string& text)
{
    return utf8(QString::fromStdU16String(text));
}

// "flags<TAB>text" with "1" at every code and "0" at the other positions.
inline std::string record(std::size_t positions, std::initializer_list<int> codes,
                          const std::string& text)
{
    std::string flags(positions, '0');
    for (const int code : codes)
        flags[static_cast<std::size_t>(code)] = '1';
    return flags + "\t" + text + "\n";
}

// One wheel message over target; a negative delta turns the wheel towards the user.
inline void turnWheel(QWidget* target, int delta)
{
    const QPointF pos = target->rect().center();
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// Counts the key presses that get through to one widget.
class KeyPressCounter : public QObject {
public:
    explicit KeyPressCounter(QObject* watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++count;
        return false;
    }
};

// Searches each keyword on the page, which must refuse every one with its message box, owned by
// the page with an empty caption, and leave the main window's keyword box as it was.
inline void expectKeywordsRefused(pages::SentencePage& page, PageHost& host,
                                  const RecordingEffects& effects,
                                  const std::vector<std::u16string>& keywords)
{
    const std::size_t shownBefore = effects.messages.size();
    for (const std::u16string& keyword : keywords) {
        host.SetDlgItemText(1121, keyword);
        page.SearchKeyword(keyword);
        EXPECT_EQ(host.keywordBoxText(), keyword) << "the page leaves the keyword box alone";
    }
    ASSERT_EQ(effects.messages.size(), shownBefore + keywords.size());
    for (std::size_t i = shownBefore; i < effects.messages.size(); ++i) {
        const ShownMessage& message = effects.messages[i];
        EXPECT_EQ(utf8(message.text), "キーワードを入力してください");
        EXPECT_EQ(message.caption, u"");
        EXPECT_EQ(message.owner, &page);
    }
}

} // namespace testing_support
