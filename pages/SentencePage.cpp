#include "SentencePage.h"

#include "content/ContentNames.h"
#include "content/ContentReader.h"
#include "pages/ContentLoader.h"
#include "platform/EditBox.h"
#include "platform/Effects.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>

using namespace platform;

namespace pages {

namespace {

const QColor kDark(51, 51, 51);

QRect templateRectOf(const DialogTemplate& dialogTemplate, int id)
{
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.id == id)
            return control.rect;
    }
    return {};
}

std::u16string countText(int count)
{
    const std::string digits = std::to_string(count);
    return std::u16string(digits.begin(), digits.end()) + u" 件";
}

} // namespace

PageLook standardLook(int boxesPerPage, std::vector<int> resultBoxIds, QColor pale, int bandTop)
{
    return {boxesPerPage,
            std::move(resultBoxIds),
            pale,
            {
                {{0, 0, 440, 630}, pale},                       // behind the category controls
                {{449, 8, 600, 22}, kDark},                     // behind the count
                {{3, bandTop, 432, 40}, QColor(127, 157, 185)}, // behind the clear button
            }};
}

SentencePage::SentencePage(const DialogTemplate& dialogTemplate, Dialog* mainWindow, PageLook look)
    : Dialog(dialogTemplate, mainWindow), look_(std::move(look))
{
    for (std::size_t i = 0; i < look_.resultBoxIds.size(); ++i)
        resultBoxes.push_back(std::make_unique<CMyEdit>());
}

void SentencePage::ShowFirstMatches()
{
    const int n = look_.boxesPerPage;
    int first = 0;
    if (matches.matchCount > n) {
        maxScrollPos = matches.matchCount - n;
        scrollBar->setScrollRange(0, maxScrollPos);
        scrollBar->setValue(0);
        // A remembered position is only ever one of this same list; kept in range all the same,
        // so no box can be filled from past the end of the list.
        first = std::clamp(RestoredScrollPosition(), 0, maxScrollPos);
        scrollBar->setValue(first);
    } else {
        scrollBar->setRange(0, 0);
        scrollBar->setEnabled(false);
        maxScrollPos = 0;
    }
    UpdateData(true);
    SetDlgItemText(kCountLabelId, countText(matches.matchCount));
    ClearResultBoxes();
    for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
        const std::size_t index = static_cast<std::size_t>(first) + k;
        if (index < matchCount())
            ShowMatchInBox(k, index);
    }
    FirstMatchesShown(first);
}

void SentencePage::ShowCategoryResult()
{
    MarkQuery({});
    SetDlgItemText(kKeywordBoxId, kPlaceholder);
    ShowFirstMatches();
}

void SentencePage::ShowMatchesFrom(int p)
{
    for (std::size_t k = 0; k < look_.resultBoxIds.size(); ++k)
        ShowMatchInBox(k, static_cast<std::size_t>(std::max(p, 0)) + k);
}

void SentencePage::ShowMatchInBox(std::size_t k, std::size_t index)
{
    if (index >= matchCount()) {
        SetDlgItemText(look_.resultBoxIds[k], std::u16string_view());
        return;
    }
    const std::u16string_view text = matches.matchTexts[index];
    if (!query_.terms.empty()) {
        // The marks follow what matched: the letters, a reading, or a word of a group.
        resultBoxes[k]->setTermFinder([this, reading = ReadingOf(text)](std::u16string_view shown) {
            return matchSpans(query_, shown, reading);
        });
    }
    SetDlgItemText(look_.resultBoxIds[k], text);
}

std::u16string_view SentencePage::ReadingOf(std::u16string_view text) const
{
    for (const PageContent* content : searched_) {
        if (!content->texts || !content->readings)
            continue;
        const std::u16string_view units = content->texts->units();
        if (text.data() < units.data() || text.data() >= units.data() + units.size())
            continue;
        const auto offset = static_cast<std::uint32_t>(text.data() - units.data());
        const std::span<const std::uint32_t> starts = content->texts->starts();
        const auto record =
            std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
        return (*content->readings)[static_cast<std::size_t>(record)];
    }
    return {};
}

void SentencePage::ClearResultBoxes()
{
    for (const int id : look_.resultBoxIds)
        SetDlgItemText(id, u"");
}

void SentencePage::SetCollector(draft::SentenceCollector* collector)
{
    for (const std::unique_ptr<CMyEdit>& box : resultBoxes)
        box->setCollector(collector);
}

void SentencePage::MarkQuery(KeywordQuery query)
{
    query_ = std::move(query);
    if (query_.terms.empty()) {
        searched_.clear();
        for (const std::unique_ptr<CMyEdit>& box : resultBoxes)
            box->setTermFinder(nullptr);
    }
    ShowAddedWords(query_.addedWords);
}

void SentencePage::ShowAddedWords(const std::vector<std::u16string>& words)
{
    // The caption beside the count reaches left over the dark band while it names them.
    QWidget* caption = control(kCountCaptionId);
    const QRect standing = dluToPixels(templateRectOf(dialogTemplate(), kCountCaptionId));
    if (words.empty()) {
        caption->setGeometry(standing);
        caption->setToolTip(QString());
        SetDlgItemText(kCountCaptionId, u"該当件数");
        return;
    }
    QStringList named;
    for (const std::u16string& word : words)
        named.append(QString::fromStdU16String(word));
    const QString all = named.join(QStringLiteral("・"));
    const int left = resultBoxes.front()->box()->geometry().left();
    QRect wide = standing;
    wide.setLeft(left + 4);
    caption->setGeometry(wide);
    const QString suffix = QStringLiteral(" も含む　該当件数");
    const QFontMetrics metrics(caption->font());
    const QString shown =
        metrics.elidedText(all, Qt::ElideRight, wide.width() - metrics.horizontalAdvance(suffix)) +
        suffix;
    SetDlgItemText(kCountCaptionId, shown.toStdU16String());
    caption->setToolTip(QStringLiteral("同じ意味の語も検索しました: ") + all);
}

void SentencePage::ResetDisplay()
{
    MarkQuery({});
    ClearResultBoxes();
    scrollBar->setRange(0, 0);
    scrollBar->setEnabled(false);
    SetDlgItemText(kCountLabelId, countText(0));
    matches.clear();
    maxScrollPos = 0;
}

void SentencePage::FocusScrollBarOrDisable()
{
    if (matchCount() > static_cast<std::size_t>(look_.boxesPerPage)) {
        scrollBar->setFocus(Qt::OtherFocusReason);
    } else {
        scrollBar->setRange(0, 0);
        scrollBar->setEnabled(false);
    }
}

void SentencePage::SetKeywordBoxText(std::u16string_view text)
{
    if (Dialog* mainWindow = parentDialog())
        mainWindow->SetDlgItemText(kKeywordBoxId, text);
}

std::optional<std::u16string> SentencePage::AcceptKeyword(std::u16string_view keyword)
{
    const std::u16string_view trimmed = TrimWhiteSpace(keyword);
    if (IsRejectedKeyword(trimmed)) {
        effects().showMessage(this, u"キーワードを入力してください", u"", MessageIcon::None);
        return std::nullopt;
    }
    return std::u16string(trimmed);
}

void SentencePage::LoadContent(std::string_view utf8Name, PageContent& into)
{
    if (prefetch_) {
        if (std::optional<PageContent> read = prefetch_->take(utf8Name)) {
            into = std::move(*read);
            return;
        }
    }
    into.texts = std::make_unique<ContentArray>();
    into.flags = std::make_unique<ContentArray>();
    ContentLoader(content::cp932ContentName(utf8Name).c_str(), into.recordCount, into.texts.get(),
                  this, into.flags.get());
}

void SentencePage::ShowKeywordMatches(
    std::u16string_view keyword,
    std::initializer_list<std::pair<PageContent*, std::string_view>> contents)
{
    const StringArray typed = KeywordTerms(keyword);
    StringArray normalised;
    for (const std::u16string& term : typed) {
        normalised.push_back(QString::fromStdU16String(term)
                                 .normalized(QString::NormalizationForm_KC)
                                 .toStdU16String());
    }
    MarkQuery(makeQuery(typed, normalised, synonyms_.get()));
    matches.clear();
    searched_.clear();
    for (const auto& [content, name] : contents) {
        if (!content->texts || !content->flags)
            continue;
        LoadReadings(*content, name);
        searched_.push_back(content);
        AppendQueryMatches(*content->texts, *content->flags, content->readings.get(), query_,
                           matches);
    }
    ShowFirstMatches();
}

void SentencePage::LoadReadings(PageContent& content, std::string_view utf8Name)
{
    if (content.readingsRead)
        return;
    content.readingsRead = true;
    auto readings = std::make_unique<ContentArray>();
    switch (loadReadings(std::string(utf8Name).c_str(), *content.texts, *readings)) {
    case ReadingsRead::Read:
        content.readings = std::move(readings);
        return;
    case ReadingsRead::None: // a content file packed without them: the letters are searched
        return;
    case ReadingsRead::Damaged: {
        // Searching goes on by the letters; the teacher is told once what is missing.
        static bool told = false;
        if (!told) {
            told = true;
            effects().showMessage(
                this,
                u"例文ファイルの読みがなが壊れているため、読みがなでは検索できません。"
                u"文字での検索は続けて使えます。",
                u"", MessageIcon::None);
        }
        return;
    }
    }
}

void SentencePage::SetUpDisplayControls()
{
    categoryFont = pointFont(FontFace::Gothic, 10.5);
    resultFont = pointFont(FontFace::Gothic, 14);
    for (std::size_t k = 0; k < look_.resultBoxIds.size(); ++k) {
        auto* box = control<EditBox>(look_.resultBoxIds[k]);
        // A screen reader says which box it is in; the sentence is the box's text.
        box->setAccessibleName(QStringLiteral("文例 %1").arg(k + 1));
        box->setFont(resultFont);
        // The text starts 6 pixels below the box's upper border.
        box->setFormattingRect(box->formattingRect().adjusted(0, 6, 0, 12));
    }
    // The thumb's length shows how much of the list one page of boxes holds.
    scrollBar->setPageStep(look_.boxesPerPage);
    scrollBar->setAccessibleName(QStringLiteral("文例のスクロール"));
    control(kKeywordBoxId)->setFont(resultFont);
    SetDlgItemText(kKeywordBoxId, kPlaceholder);
}

void SentencePage::ExchangeDisplay(DataExchange& exchange)
{
    exchange.scrollPosition(kScrollBarId, scrollPos);
    exchange.control(kScrollBarId, scrollBar);
    for (std::size_t k = 0; k < look_.resultBoxIds.size(); ++k)
        exchange.control(look_.resultBoxIds[k], *resultBoxes[k]);
}

void SentencePage::OnVScroll(const Message& message)
{
    const int n = look_.boxesPerPage;
    const int p = scrollBar->value();
    switch (message.code) {
    case SB_LINEUP:
    case SB_TOP: // Home moves one sentence, not to the first
        scrollBar->setValue(p - 1);
        break;
    case SB_LINEDOWN:
    case SB_BOTTOM:
        scrollBar->setValue(p + 1);
        break;
    case SB_PAGEUP:
        scrollBar->setValue(std::max(p - n, 0));
        break;
    case SB_PAGEDOWN:
        scrollBar->setValue(std::min(p + n, scrollBar->maximum()));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        scrollBar->setValue(message.pos);
        break;
    default:
        break;
    }
    const int position = scrollBar->value();
    UpdateData(true);
    if (matchCount() > static_cast<std::size_t>(n)) {
        ShowMatchesFrom(position);
        MatchesScrolled(position);
    }
}

void SentencePage::OnMouseWheel(const Message& message)
{
    if (!scrollBar->isEnabled())
        return;
    Message request{Msg::VScroll, kScrollBarId};
    request.code = message.delta < 0 ? SB_LINEDOWN : SB_LINEUP;
    OnVScroll(request);
}

void SentencePage::OnLButtonDown(const Message&)
{
    FocusScrollBarOrDisable();
}

bool SentencePage::PreTranslateMessage(const InputMessage& input)
{
    if (input.input != Input::KeyDown)
        return false;
    switch (input.key) {
    case Key::Back:
    case Key::Return:
        return focusedControlId() != kKeywordBoxId;
    case Key::Escape:
        return true;
    default:
        return false;
    }
}

std::optional<ControlColours> SentencePage::OnCtlColor(QWidget*, int id, ColourRequest request)
{
    std::optional<ControlColours> answer;
    if (request == ColourRequest::Static)
        answer = ControlColours{look_.pale, std::nullopt, look_.pale};
    if (id == kCountLabelId || id == kCountCaptionId)
        answer = ControlColours{kDark, QColor(Qt::white), kDark};
    if (isResultBox(id))
        answer = ControlColours{QColor(Qt::white), std::nullopt, QColor(Qt::white)};
    return answer;
}

void SentencePage::OnPaint(QPainter& painter)
{
    for (const PaintedRect& painted : look_.paint)
        painter.fillRect(painted.rect, painted.colour);
}

bool SentencePage::isResultBox(int id) const
{
    return std::find(look_.resultBoxIds.begin(), look_.resultBoxIds.end(), id) !=
           look_.resultBoxIds.end();
}

} // namespace pages
