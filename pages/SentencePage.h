#pragma once
// What every sentence page shares: the display of its match list a few sentences at a time,
// paging with the scroll bar and the wheel, the count label, the key filter, the colours and
// painted rectangles, and the page interface the main window drives it through.

#include "CMyEdit.h"
#include "KeywordQuery.h"
#include "SentenceFilter.h"
#include "draft/SentenceCollector.h"
#include "pages/ContentPrefetch.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/ScrollBar.h"

#include <QColor>
#include <QFont>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pages {

struct PaintedRect {
    QRect rect; // page client pixels
    QColor colour;
};

// The values in which the pages' displays differ.
struct PageLook {
    int boxesPerPage;               // N, also the scroll bar's page step
    std::vector<int> resultBoxIds;  // top to bottom
    QColor pale;                    // the left column and the static controls
    std::vector<PaintedRect> paint; // filled in this order on every paint
};

// The look every page shares: its pale column, the dark strip behind the count and the band
// behind the clear button, whose top differs from page to page.
PageLook standardLook(int boxesPerPage, std::vector<int> resultBoxIds, QColor pale, int bandTop);

inline constexpr int kScrollBarId = 1033;
inline constexpr int kCountLabelId = 1035;
inline constexpr int kCountCaptionId = 1036;
inline constexpr int kKeywordBoxId = 1121;

// One content of a page: its text and flag arrays, which exist from the page's initialisation
// until the page releases them, and its record count.
using PageContent = pages::LoadedContent;

class SentencePage : public platform::Dialog {
public:
    SentencePage(const platform::DialogTemplate& dialogTemplate, platform::Dialog* mainWindow,
                 PageLook look);

    // The page interface. keyword is the main window's keyword box text, as it is.
    virtual void SearchKeyword(std::u16string keyword) = 0;
    virtual void ClearAllChecks() = 0;
    virtual void ReleaseContent() = 0;

    // Where the result boxes' "下書きに追加" sends sentences.
    void SetCollector(draft::SentenceCollector* collector);
    // The groups of words that mean the same, which a keyword search also finds; none without.
    void SetSynonyms(std::shared_ptr<const content::Synonyms> synonyms)
    {
        synonyms_ = std::move(synonyms);
    }
    // Where the page first looks for its contents when it is made; without it, or when the
    // contents are not there, the page reads them itself.
    void SetContentPrefetch(pages::ContentPrefetch* prefetch) { prefetch_ = prefetch; }

    const MatchList& matchList() const { return matches; }
    int boxesPerPage() const { return look_.boxesPerPage; }
    int maxScrollPos = 0;

protected:
    // The display after every filter run: count, first N matches, a usable scroll bar exactly
    // while there are more than N.
    void ShowFirstMatches();
    // ShowFirstMatches after a category filter, which also puts the placeholder into the
    // page's own hidden keyword box (nothing reads it).
    void ShowCategoryResult();
    // Matches p to p + N - 1 in the result boxes.
    void ShowMatchesFrom(int p);
    void ClearResultBoxes();
    // The keyword search the result boxes mark; none after a search by category.
    void MarkQuery(KeywordQuery query);
    // No match shown: empty boxes, "0 件", an unusable scroll bar, an empty match list.
    void ResetDisplay();
    // The scroll bar takes the focus while there is something to page through, and is made
    // unusable otherwise.
    void FocusScrollBarOrDisable();
    void SetKeywordBoxText(std::u16string_view text);
    // The trimmed keyword, or nothing after telling the teacher to enter one.
    std::optional<std::u16string> AcceptKeyword(std::u16string_view keyword);
    // Creates the content's arrays and fills them; a content error ends the process here.
    void LoadContent(std::string_view utf8Name, PageContent& into);
    // The keyword search over the page's contents, joined in the order given; the names are
    // the contents' own (UTF-8), for their readings.
    void
    ShowKeywordMatches(std::u16string_view keyword,
                       std::initializer_list<std::pair<PageContent*, std::string_view>> contents);
    // Result font, formatting rectangles and the hidden keyword box, once at initialisation.
    void SetUpDisplayControls();
    // Binds the scroll bar and the result boxes and exchanges the scroll position.
    void ExchangeDisplay(platform::DataExchange& exchange);

    // Where the first page of a new result starts when it is longer than N; 0 unless a page
    // remembers positions. ShowFirstMatches keeps it within the result.
    virtual int RestoredScrollPosition() { return 0; }
    // After ShowFirstMatches filled the boxes from first, and after a scroll step filled them
    // from position.
    virtual void FirstMatchesShown(int) {}
    virtual void MatchesScrolled(int) {}

    // Handlers for the message maps of the pages.
    void OnVScroll(const platform::Message& message);
    void OnMouseWheel(const platform::Message& message);
    void OnLButtonDown(const platform::Message& message);

    bool PreTranslateMessage(const platform::InputMessage& input) override;
    std::optional<platform::ControlColours> OnCtlColor(QWidget* control, int id,
                                                       platform::ColourRequest request) override;
    void OnPaint(QPainter& painter) override;

    MatchList matches;
    int scrollPos = 0;
    QFont categoryFont;
    QFont resultFont;
    platform::Bound<platform::ScrollBar> scrollBar;
    std::vector<std::unique_ptr<CMyEdit>> resultBoxes;

private:
    bool isResultBox(int id) const;
    // Fills result box k with match index, or empties it past the end of the list.
    void ShowMatchInBox(std::size_t k, std::size_t index);
    // The reading of a sentence of the matches, found by where its text lies; empty when its
    // content has none.
    std::u16string_view ReadingOf(std::u16string_view text) const;
    // Reads a content's readings the first time a keyword search needs them.
    void LoadReadings(PageContent& content, std::string_view utf8Name);
    // Names the words that groups added to the last keyword beside the count; none restores it.
    void ShowAddedWords(const std::vector<std::u16string>& words);
    std::size_t matchCount() const { return matches.matchTexts.size(); }

    PageLook look_;
    pages::ContentPrefetch* prefetch_ = nullptr;
    std::shared_ptr<const content::Synonyms> synonyms_;
    KeywordQuery query_;
    std::vector<const PageContent*> searched_; // by the last keyword search
};

} // namespace pages
