#include "CVerdaneDlg.h"

#include "AboutBox.h"
#include "content/ContentReader.h"
#include "content/ForbiddenWords.h"
#include "content/ReviewWords.h"
#include "content/Synonyms.h"
#include "content/tessera.h"
#include "platform/Documents.h"
#include "platform/Effects.h"
#include "platform/Fonts.h"
#include "platform/HandCursor.h"
#include "platform/QtStrings.h"
#include "res/BuiltPictures.h"
#include "res/Templates.h"

#include <QAction>
#include <QApplication>
#include <QPainter>

using namespace platform;

namespace {

constexpr int kQuitButton = 1;
constexpr int kTabControl = 1000;
constexpr int kHowToPicture = 1037;
constexpr int kAboutPicture = 1038;
constexpr int kSearchButton = 1122;
using pages::kKeywordBoxId;

struct Tab {
    const char16_t* caption; // each ends in an ideographic space
    QColor colour;
};
const std::array<Tab, 3> kTabs = {{
    {u"本人の長所・推薦事由等　", QColor(51, 153, 255)},
    {u"校内活動　", QColor(102, 198, 6)},
    {u"校外活動・その他　", QColor(255, 153, 0)},
}};

} // namespace

// clang-format off
const MessageMap<CVerdaneDlg> CVerdaneDlg::messageMap = {
    {Msg::SelChange, kTabControl,   &CVerdaneDlg::OnTabSelChange},
    {Msg::Clicked,   kQuitButton,   &CVerdaneDlg::OnOK},
    {Msg::Clicked,   kHowToPicture, &CVerdaneDlg::OnHowTo},
    {Msg::Clicked,   kAboutPicture, &CVerdaneDlg::OnAbout},
    {Msg::Clicked,   kSearchButton, &CVerdaneDlg::KeywordSearch},
    {Msg::SetFocus,  kKeywordBoxId, &CVerdaneDlg::OnKeywordSetFocus},
    {Msg::KillFocus, kKeywordBoxId, &CVerdaneDlg::OnKeywordKillFocus},
};
// clang-format on

CVerdaneDlg::CVerdaneDlg()
    : MappedDialog(res::dialogTemplate(102)),
      icon(res::windowIcon()), tabPages{std::make_unique<CDlgTab02>(this),
                                        std::make_unique<CDlgTab03>(this),
                                        std::make_unique<CDlgTab05>(this)}
{
    // A window with a title bar, system menu and minimise box that cannot be resized; its
    // title shows no text.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString());
}

pages::SentencePage& CVerdaneDlg::page(int index)
{
    return *tabPages[static_cast<std::size_t>(index)];
}

bool CVerdaneDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    // The tab control is the window's background frame: the header controls in its top strip
    // and the pages lie over it.
    tabControl->lower();
    StartContentLibrary();
    installAboutBox(this);
    ReadWordLists();
    setWindowIcon(icon);
    setFixedSize(size());
    // The items get their size and font before they are inserted: each insertion measures the
    // captions, in whatever font the bar has then.
    tabControl->setItemSize(QSize(400, 24));
    tabFont = pointFont(FontFace::ProportionalGothic, 10.5);
    tabControl->setItemFont(tabFont);
    // A page or tab that cannot be made is left out without a message.
    bool complete = CreatePages();
    complete = complete && InsertTabs();
    tabControl->drawItem = [this](QPainter& painter, int index, const QRect& rect) {
        DrawTabItem(painter, index, rect);
    };
    if (complete)
        ShowPage(tabControl->currentSelection());
    const std::shared_ptr<const content::Synonyms> synonyms =
        loadList<content::Synonyms>(KOVA_readSynonyms);
    for (int i = 0; i < 3; ++i) {
        page(i).SetCollector(&draft);
        page(i).SetSynonyms(synonyms);
    }
    // The draft comes up from anywhere in the window, an empty one before the first sentence.
    auto* showDraft = new QAction(QStringLiteral("下書きを表示"), this);
    showDraft->setShortcut(draft::kShowDraftKey);
    showDraft->setShortcutContext(Qt::WindowShortcut);
    connect(showDraft, &QAction::triggered, this, [this] { draft.showDraft(); });
    addAction(showDraft);
    for (std::size_t i = 0; i < kTabs.size(); ++i)
        tabColours[i] = kTabs[i].colour;
    keywordFont = pointFont(FontFace::Gothic, 14);
    control(kKeywordBoxId)->setFont(keywordFont);
    control(kKeywordBoxId)->setAccessibleName(QStringLiteral("キーワード"));
    SetDlgItemText(kKeywordBoxId, pages::kPlaceholder);
    control(kQuitButton)->setFocus(Qt::OtherFocusReason);
    return true;
}

void CVerdaneDlg::DoDataExchange(DataExchange& exchange)
{
    exchange.control(kTabControl, tabControl);
}

void CVerdaneDlg::SetContentPrefetch(pages::ContentPrefetch* contentPrefetch)
{
    prefetch = contentPrefetch;
    for (int i = 0; i < 3; ++i)
        page(i).SetContentPrefetch(prefetch);
}

void CVerdaneDlg::StartContentLibrary()
{
    if (prefetch)
        prefetch->finish();
    const int result = KOVA_startup(this);
    if (result == KOVA_OK)
        return;
    const std::u16string message = result == KOVA_FILES_DAMAGED
                                       ? u"必要なファイルが無いか、壊れています。"
                                       : u"起動できません。";
    effects().showMessage(this, message, u"エラー", MessageIcon::None);
    endProcess(1);
}

void CVerdaneDlg::ReadWordLists()
{
    // A content file packed without the review list: the draft leaves the second look out.
    if (auto reviewWords = loadList<content::ReviewWords>(KOVA_readReviewList))
        draft.setReviewWords(std::move(reviewWords));
    auto forbiddenWords = loadList<content::ForbiddenWords>(KOVA_readWordList);
    if (!forbiddenWords) {
        draft.setForbiddenWords(nullptr, QStringLiteral("例文ファイルに、調査書に書かない語の一覧が"
                                                        "ありません。語の確認はできません。"));
        return;
    }
    draft.setForbiddenWords(std::move(forbiddenWords));
}

bool CVerdaneDlg::MayEnd()
{
    if (draft.nothingToLose() ||
        effects().askQuestion(this,
                              u"下書きの一部を保存できていません。終了すると、保存できていない"
                              u"変更は失われます。終了しますか？",
                              u"終了"))
        return true;
    // The teacher said no, to copy the draft first: it comes up, hidden or not, ready for that.
    draft.showDraft();
    return false;
}

bool CVerdaneDlg::CreatePages()
{
    for (int i = 0; i < 3; ++i) {
        if (!page(i).Create())
            return false;
    }
    // The pages lie over the tab control's area, below the tabs.
    const QRect area = QRect(QPoint(0, 0), page(0).size()).translated(4, 36);
    for (int i = 0; i < 3; ++i) {
        page(i).setGeometry(area);
        page(i).raise(); // pages made last lie on top of the window's own controls
    }
    return true;
}

bool CVerdaneDlg::InsertTabs()
{
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        if (!tabControl->insertItem(static_cast<int>(i), toQString(kTabs[i].caption)))
            return false;
    }
    return true;
}

void CVerdaneDlg::ShowPage(int index)
{
    for (int i = 0; i < 3; ++i)
        page(i).setVisible(i == index);
}

void CVerdaneDlg::DrawTabItem(QPainter& painter, int index, const QRect& rect)
{
    if (index < 0 || index >= static_cast<int>(tabColours.size()))
        return;
    painter.fillRect(rect, tabColours[index]);
    painter.setPen(Qt::white);
    painter.drawText(rect.adjusted(8, 7, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     tabControl->itemText(index));
}

bool CVerdaneDlg::PreTranslateMessage(const InputMessage& input)
{
    if (input.input == Input::KeyDown) {
        const bool inKeywordBox = focusedControlId() == kKeywordBoxId;
        if (input.key == Key::Return && inKeywordBox) {
            KeywordSearch();
            return true;
        }
        return input.key == Key::Escape ||
               ((input.key == Key::Back || input.key == Key::Return) && !inKeywordBox);
    }
    if (isOverHeaderPicture(mapFromGlobal(input.globalPos)))
        requestHandCursor();
    return false;
}

bool CVerdaneDlg::isOverHeaderPicture(QPoint p)
{
    const bool inRow = p.y() >= 4 && p.y() <= 26;
    const bool overAbout = p.x() >= 643 && p.x() <= 781;
    const bool overHowTo = p.x() >= 787 && p.x() <= 925;
    return inRow && (overAbout || overHowTo);
}

void CVerdaneDlg::OnTabSelChange()
{
    const int shown = tabControl->currentSelection();
    const QWidget* focus = QApplication::focusWidget();
    bool focusInPage = false;
    for (int i = 0; i < 3; ++i)
        focusInPage = focusInPage || (focus && page(i).isAncestorOf(focus));
    ShowPage(shown);
    // The keys follow the tab turned to: a focus left on a page that went away goes to the
    // first stop of the Tab key on the page shown. Elsewhere in the window it stays.
    if (focusInPage && shown >= 0 && !page(shown).isAncestorOf(QApplication::focusWidget()))
        FocusFirstStop(page(shown));
}

void CVerdaneDlg::FocusFirstStop(QWidget& within)
{
    for (QWidget* next = within.nextInFocusChain(); next != &within;
         next = next->nextInFocusChain()) {
        if (within.isAncestorOf(next) && next->isVisible() && next->isEnabled() &&
            (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CVerdaneDlg::OnOK()
{
    if (MayEnd())
        EndDialog(IDOK);
}

void CVerdaneDlg::OnCancel()
{
    if (MayEnd())
        EndDialog(IDCANCEL);
}

void CVerdaneDlg::OnHowTo()
{
    OpenDocument(u"\\PDF\\howto.pdf");
}

void CVerdaneDlg::OnAbout()
{
    KOVA_showAbout();
}

void CVerdaneDlg::OpenDocument(std::u16string path)
{
    platform::OpenDocument(path);
}

void CVerdaneDlg::KeywordSearch()
{
    const std::u16string keyword = GetDlgItemText(kKeywordBoxId);
    const int selection = tabControl->currentSelection();
    if (selection >= 0 && selection < 3)
        page(selection).SearchKeyword(keyword);
}

void CVerdaneDlg::OnKeywordSetFocus()
{
    if (GetDlgItemText(kKeywordBoxId) == pages::kPlaceholder)
        SetDlgItemText(kKeywordBoxId, u"");
}

void CVerdaneDlg::OnKeywordKillFocus()
{
    if (GetDlgItemText(kKeywordBoxId).empty())
        SetDlgItemText(kKeywordBoxId, pages::kPlaceholder);
}

CVerdaneDlg::~CVerdaneDlg()
{
    installAboutBox(nullptr);
}

void CVerdaneDlg::OnDestroy()
{
    draft.hide();
    for (int i = 0; i < 3; ++i)
        page(i).ClearAllChecks();
    for (int i = 0; i < 3; ++i)
        page(i).ReleaseContent();
}
