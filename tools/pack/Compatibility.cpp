#include "Compatibility.h"

#include "content/Folding.h"
#include "content/RecordFormat.h"
#include "content/Utf8.h"

#include <QString>
#include <unordered_map>

namespace pack {

namespace {

bool foldsToItsCompatibilityForm(char32_t c)
{
    static std::unordered_map<char32_t, bool> known;
    const auto [entry, isNew] = known.try_emplace(c, true);
    if (isNew) {
        const QString alone = QString::fromUcs4(&c, 1);
        const QString compatible = alone.normalized(QString::NormalizationForm_KC);
        const std::u16string folded =
            c <= 0xFFFF ? std::u16string(1, content::foldUnit(static_cast<char16_t>(c)))
                        : alone.toStdU16String();
        entry->second = content::foldUnits(compatible.toStdU16String()) == folded;
    }
    return entry->second;
}

} // namespace

std::string compatibilityProblem(std::u16string_view sentence)
{
    std::u16string found;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        char32_t c = sentence[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < sentence.size() &&
                          sentence[i + 1] >= 0xDC00 && sentence[i + 1] <= 0xDFFF;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (sentence[i + 1] - 0xDC00);
        if (!foldsToItsCompatibilityForm(c) &&
            found.find(sentence.substr(i, pair ? 2 : 1)) == std::u16string::npos)
            found += sentence.substr(i, pair ? 2 : 1);
        i += pair;
    }
    if (found.empty())
        return {};
    return "write " + content::toUtf8(found) +
           " in its plain form (a keyword search compares the plain form: ｶﾞ as ガ, ① as 1)";
}

std::vector<content::ListProblem> compatibilityProblems(std::string_view source)
{
    std::vector<content::ListProblem> problems;
    content::forEachSentence(source, [&](std::size_t lineNumber, std::u16string_view sentence) {
        if (std::string what = compatibilityProblem(sentence); !what.empty())
            problems.push_back({lineNumber, std::move(what)});
    });
    return problems;
}

} // namespace pack
