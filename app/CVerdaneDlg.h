#pragma once
// The main window: three coloured tabs over the three sentence pages, the keyword box with its
// search button, the pictures that open the how-to guide and the about information, and 終了.

#include "draft/DraftOnDemand.h"
#include "pages/CDlgTab02.h"
#include "pages/CDlgTab03.h"
#include "pages/CDlgTab05.h"
#include "platform/MessageMap.h"
#include "platform/TabControl.h"

#include <QIcon>
#include <array>
#include <memory>

class CVerdaneDlg : public platform::MappedDialog<CVerdaneDlg> {
public:
    CVerdaneDlg();
    ~CVerdaneDlg() override;

    static const platform::MessageMap<CVerdaneDlg> messageMap;

    // Opens a document that lies beside the executable; path starts with a backslash.
    void OpenDocument(std::u16string path);
    // Whether the cursor, in client pixels, is over one of the two header pictures.
    static bool isOverHeaderPicture(QPoint position);

    pages::SentencePage& page(int index);
    // The contents read ahead while the window is made; the window waits for the reading
    // before it starts the content library, and the pages take what was read.
    void SetContentPrefetch(pages::ContentPrefetch* prefetch);
    draft::DraftWindow& draftWindow() { return draft.window(); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;
    bool PreTranslateMessage(const platform::InputMessage& input) override;
    void OnCancel() override;
    void OnDestroy() override;

private:
    void StartContentLibrary();
    // Gives the draft the words a school report must not carry and what to read a remark again
    // for, from the content file.
    void ReadWordLists();
    // Whether the program may end: nothing in the draft would be lost, or the teacher said so.
    bool MayEnd();
    bool CreatePages();
    bool InsertTabs();
    void ShowPage(int index);
    void DrawTabItem(QPainter& painter, int index, const QRect& rect);

    void OnTabSelChange();
    // Gives the keyboard focus to the first control within that the Tab key stops at.
    void FocusFirstStop(QWidget& within);
    void OnOK();
    void OnHowTo();
    void OnAbout();
    void KeywordSearch();
    void OnKeywordSetFocus();
    void OnKeywordKillFocus();

    pages::ContentPrefetch* prefetch = nullptr;
    QIcon icon;
    platform::Bound<platform::TabControl> tabControl;
    // The strengths, the in-school and the outside activities page, in the order of the tabs.
    std::array<std::unique_ptr<pages::SentencePage>, 3> tabPages;
    draft::DraftOnDemand draft{this};
    std::array<QColor, 3> tabColours;
    QFont tabFont;
    QFont keywordFont;
};
