#include "SyntheticContent.h"

#include "content/ContentArchive.h"
#include "content/Readings.h"
#include "content/RecordFormat.h"
#include "tools/pack/Reader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <zip.h>

namespace synth {

namespace {

// Nouns, most frequent first: a word's chance falls with its place in the list (Zipf), so some
// words fill most sentences and the last ones are rare, as in real remarks.
// clang-format off
constexpr std::string_view kNouns[] = {
    "生徒",     "活動",       "学校",       "部活動",     "授業",         "練習",
    "責任感",   "姿勢",       "努力",       "仲間",       "目標",         "地域",
    "文化祭",   "体育祭",     "委員会",     "生徒会",     "学級",         "級友",
    "後輩",     "先輩",       "顧問",       "清掃",       "挨拶",         "協調性",
    "積極性",   "計画",       "準備",       "運営",       "企画",         "資格",
    "検定",     "簿記",       "英語",       "数学",       "国語",         "理科",
    "情報",     "実習",       "課題",       "研究",       "発表",         "成果",
    "成績",     "評価",       "信頼",       "役割",       "仕事",         "職場",
    "就業体験", "将来",       "進路",       "経験",       "知識",         "技術",
    "能力",     "工夫",       "改善",       "挑戦",       "意欲",         "態度",
    "集中力",   "忍耐力",     "行動力",     "判断力",     "思いやり",     "笑顔",
    "礼儀",     "言葉遣い",   "身だしなみ", "時間",       "期限",         "放課後",
    "休日",     "夏季休業",   "三年間",     "一年次",     "二年次",       "三年次",
    "部長",     "副部長",     "委員長",     "係",         "班長",         "リーダー",
    "チーム",   "メンバー",   "コンクール", "ボランティア", "福祉施設",   "保育所",
    "高齢者",   "子どもたち", "図書館",     "美化",       "環境",         "安全",
    "健康",     "体力",       "基礎",       "応用",       "機械加工",     "溶接",
    "電気工事", "製図",       "調理",       "介護",       "看護",         "販売",
    "接客",     "会計",       "経理",       "事務",       "パソコン",     "文書作成",
    "表計算",   "プログラミング", "設計",   "製作",       "作品",         "展示",
    "演奏",     "合唱",       "吹奏楽",     "野球部",     "サッカー部",   "陸上競技部",
    "剣道部",   "柔道部",     "バスケットボール部", "バレーボール部", "卓球部", "美術部",
    "写真部",   "放送部",     "茶道部",     "書道部",     "県大会",       "地区大会",
    "全国大会", "優勝",       "準優勝",     "入賞",       "表彰",         "皆勤",
    "無遅刻無欠席", "自主性", "主体性",     "向上心",     "探究心",       "粘り強さ",
    "誠実さ",   "素直さ",     "明るさ",     "丁寧さ",     "正確さ",       "几帳面さ",
};
// clang-format on

// clang-format off
constexpr std::string_view kParticles[] = {
    "は", "が", "を", "に", "で", "と", "の", "も", "へ", "から", "まで", "として",
    "について", "において", "とともに", "により", "を通して", "に対して",
};
// clang-format on

// clang-format off
constexpr std::string_view kAdverbs[] = {
    "積極的に", "真剣に",   "熱心に",   "誠実に",   "丁寧に",   "確実に",   "粘り強く",
    "自主的に", "率先して", "最後まで", "常に",     "毎日",     "大いに",   "着実に",
    "意欲的に", "主体的に", "責任を持って", "周囲と協力して", "黙々と", "誰よりも",
};
// clang-format on

// clang-format off
constexpr std::string_view kVerbs[] = {
    "取り組んだ",   "努めた",       "務めた",       "担当した",     "参加した",
    "続けた",       "果たした",     "発揮した",     "身に付けた",   "合格した",
    "受賞した",     "貢献した",     "支えた",       "導いた",       "まとめた",
    "高めた",       "深めた",       "学んだ",       "考えた",       "工夫した",
    "改善した",     "達成した",     "挑戦した",     "協力した",     "信頼を得た",
    "評価された",   "期待される",   "備えている",   "持っている",   "心掛けている",
    "目指している", "考えている",   "続けている",   "取り組んでいる", "励んでいる",
    "生かしたい",   "貢献したい",   "活躍できる",   "期待できる",   "適している",
};
// clang-format on

// Names of tools and tests as teachers type them: sometimes ASCII, sometimes full width.
// clang-format off
constexpr std::string_view kLatinWords[] = {
    "ICT", "IT", "PC", "CAD", "TOEIC", "Excel", "Word",
    "ＩＣＴ", "ＰＣ", "ＣＡＤ", "ＴＯＥＩＣ", "Ｅｘｃｅｌ", "Ｗｏｒｄ",
};
// clang-format on

constexpr std::string_view kCounters[] = {"級", "回", "年間", "日間", "時間", "人", "位", "月"};

// splitmix64: small, and the same sequence from the same seed with every compiler and library.
class Random {
public:
    explicit Random(unsigned seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(unit() * n); }
    bool chance(double p) { return unit() < p; }
    template <std::size_t N> std::string_view pick(const std::string_view (&words)[N])
    {
        return words[below(N)];
    }

private:
    std::uint64_t state_;
};

std::string_view pickNoun(Random& random)
{
    static const std::vector<double> cumulative = [] {
        std::vector<double> sums;
        double sum = 0;
        for (std::size_t rank = 1; rank <= std::size(kNouns); ++rank)
            sums.push_back(sum += 1.0 / static_cast<double>(rank));
        return sums;
    }();
    const double at = random.unit() * cumulative.back();
    const auto it = std::upper_bound(cumulative.begin(), cumulative.end(), at);
    return kNouns[std::min<std::size_t>(it - cumulative.begin(), std::size(kNouns) - 1)];
}

// A count such as "3級" or "１０回", its digits ASCII or full width.
std::string numberWord(Random& random)
{
    const std::string digits = std::to_string(1 + random.below(100));
    std::string word;
    if (random.chance(0.5)) {
        word = digits;
    } else {
        for (const char d : digits) // U+FF10 .. U+FF19
            word += {'\xEF', '\xBC', static_cast<char>('\x90' + (d - '0'))};
    }
    return word + std::string(random.pick(kCounters));
}

// One clause, ending in a verb: "[adverb] noun particle [noun particle] [count particle] verb".
// A clause that continues a sentence starts with "、", so a sentence never ends in one.
std::vector<std::string> makeClause(Random& random, bool continuing)
{
    std::vector<std::string> tokens;
    if (random.chance(0.3))
        tokens.emplace_back(random.pick(kAdverbs));
    tokens.emplace_back(pickNoun(random));
    tokens.emplace_back(random.pick(kParticles));
    if (random.chance(0.6)) {
        tokens.emplace_back(pickNoun(random));
        tokens.emplace_back(random.pick(kParticles));
    }
    if (random.chance(0.15)) {
        tokens.push_back(random.chance(0.5) ? std::string(random.pick(kLatinWords))
                                            : numberWord(random));
        tokens.emplace_back(random.pick(kParticles));
    }
    if (random.chance(0.3))
        tokens.emplace_back(random.pick(kAdverbs));
    tokens.emplace_back(random.pick(kVerbs));
    if (continuing)
        tokens.front().insert(0, "、");
    return tokens;
}

// Whole words up to a length drawn from kMinChars .. kMaxChars, then "。"; words receives them.
std::string makeSentence(Random& random, std::vector<std::string>* words = nullptr)
{
    const std::size_t target = kMinChars + random.below(kMaxChars - kMinChars + 1);
    std::string text;
    std::size_t chars = 0;
    std::vector<std::string> clause;
    std::size_t next = 0;
    for (;;) {
        if (next == clause.size()) {
            clause = makeClause(random, !text.empty());
            next = 0;
        }
        const std::size_t length = charCount(clause[next]);
        const bool fits = chars + length + 1 <= target;
        const bool tooShort = chars + 1 < kMinChars; // a word is far shorter than the range
        if (!fits && !tooShort)
            break;
        if (words)
            words->push_back(clause[next]);
        text += clause[next++];
        chars += length;
    }
    if (words)
        words->emplace_back("。");
    return text + "。";
}

std::string makeFlags(Random& random)
{
    std::string flags(kFlagCount, '0');
    for (char& flag : flags) {
        if (random.chance(kFlagChance))
            flag = '1';
    }
    return flags;
}

[[noreturn]] void cannotWrite(const std::string& path)
{
    throw std::runtime_error("cannot write " + path);
}

} // namespace

std::size_t charCount(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::vector<std::pair<std::string, std::string>> makeRecords(std::size_t count, unsigned seed)
{
    Random random(seed);
    std::vector<std::pair<std::string, std::string>> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string flags = makeFlags(random);
        records.emplace_back(std::move(flags), makeSentence(random));
    }
    return records;
}

namespace {

// The readings of a content's records, as the packer writes them: each word of a sentence read
// once and the readings of its words put together, as a sentence's own reading mostly is.
class WordReadings {
public:
    WordReadings()
    {
        std::string problem;
        reader_ = pack::Reader::open(VERDANE_MECAB_DICTIONARY, problem);
        if (!reader_)
            throw std::runtime_error(problem);
    }
    void addLine(const std::vector<std::string>& words, std::string& entry)
    {
        std::vector<content::ReadingWord> line;
        for (const std::string& word : words) {
            auto [known, isNew] = read_.try_emplace(word);
            if (isNew)
                known->second = reader_->words(utf16(word));
            line.insert(line.end(), known->second.begin(), known->second.end());
        }
        entry.append(content::readingLine(line)).append(1, '\n');
    }

private:
    std::optional<pack::Reader> reader_;
    std::map<std::string, std::vector<content::ReadingWord>> read_;
};

void addEntry(zip_t* archive, const std::string& path, const std::string& name,
              const std::string& data)
{
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source); // still ours: the archive did not take it
        zip_discard(archive);
        cannotWrite(path);
    }
}

} // namespace

void writeContentFile(const std::string& path, const std::vector<std::string>& contentNamesUtf8,
                      std::size_t recordsPerContent, bool withReadings)
{
    if (contentNamesUtf8.empty())
        throw std::runtime_error("no content to write to " + path);
    std::optional<WordReadings> readings;
    if (withReadings)
        readings.emplace();
    // One content at a time, the archive closed after each, so only one content is in memory.
    for (std::size_t i = 0; i < contentNamesUtf8.size(); ++i) {
        std::string data;
        std::string readingEntry;
        Random random(kSeed + static_cast<unsigned>(i));
        std::vector<std::string> words;
        for (std::size_t r = 0; r < recordsPerContent; ++r) {
            const std::string flags = makeFlags(random);
            words.clear();
            const std::string text = makeSentence(random, &words);
            data.append(flags).append(1, '\t').append(text).append(1, '\n');
            if (readings)
                readings->addLine(words, readingEntry);
        }
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), i == 0 ? ZIP_CREATE | ZIP_TRUNCATE : 0, &error);
        if (!archive)
            cannotWrite(path);
        addEntry(archive, path, contentNamesUtf8[i], data);
        if (readings)
            addEntry(archive, path, std::string(content::kReadingsFolder) + contentNamesUtf8[i],
                     readingEntry);
        if (zip_set_archive_comment(archive, content::kArchiveComment.data(),
                                    static_cast<zip_uint16_t>(content::kArchiveComment.size())) !=
                0 ||
            zip_close(archive) != 0) {
            zip_discard(archive);
            cannotWrite(path);
        }
    }
}

std::u16string utf16(std::string_view field)
{
    std::u16string out(field.size() + 1, u'\0'); // never more units than bytes, and the NUL
    std::size_t length = 0;
    if (content::decodeField(field, out.data(), out.size(), length) != content::DecodeError::None)
        throw std::invalid_argument("a field that does not decode: " + std::string(field));
    out.resize(length);
    return out;
}

} // namespace synth
