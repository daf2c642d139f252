// content_bench: how fast the pages find sentences in a content of 100,000 and of 1,000,000
// records and how fast such a content loads, each beside a floor that no way of doing the same
// job can go below: one plain read of the data it must look at, held as the loader holds it (one
// buffer per content), or the inflating and decoding that loading must do. Every benchmark takes
// the number of records as its argument. Times are wall-clock milliseconds; the summary
// (bench/summarise.py) puts them side by side.

#include "SyntheticContent.h"
#include "content/ContentArchive.h"
#include "content/ContentNames.h"
#include "content/ContentReader.h"
#include "content/RecordFormat.h"
#include "content/tessera.h"
#include "pages/ContentLoader.h"
#include "pages/KeywordQuery.h"
#include "pages/SentenceFilter.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <thread>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using synth::utf16;

constexpr std::size_t kSizes[] = {100000, 1000000};
constexpr int kCategoryCode = 5;
constexpr std::array<std::uint8_t, 3> kChainCodes = {2, 9, 20};
constexpr std::size_t kItemChars = 102400 / sizeof(char16_t); // as large as the loader's buffer

// The contents the benchmarks work on, one per size: each written once to a temporary folder and
// loaded once through the library, as the page loads it.
struct Corpus {
    std::string file;
    ContentArray texts;
    ContentArray flags;
    ContentArray readings;
};

struct Corpora {
    std::filesystem::path folder;
    std::string entryName = std::string(content::kStrengthsContent);
    std::string libraryName = content::cp932ContentName(content::kStrengthsContent);
    std::map<std::size_t, Corpus> bySize;
};

Corpora& corpora()
{
    static Corpora instance;
    return instance;
}

const Corpus& corpus(const benchmark::State& state)
{
    return corpora().bySize.at(static_cast<std::size_t>(state.range(0)));
}

// A content error ends the process with the loader's message, so no figure is made of a
// half-read content.
void load(const Corpus& c, ContentArray& texts, ContentArray& flags)
{
    KOVA_useContentFile(c.file.c_str());
    int recordCount = 0;
    ContentLoader(corpora().libraryName.c_str(), recordCount, &texts, nullptr, &flags);
}

void prepare()
{
    Corpora& all = corpora();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "verdane-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    all.folder = pattern;
    for (const std::size_t records : kSizes) {
        Corpus& c = all.bySize[records];
        c.file = (all.folder / ("content-" + std::to_string(records) + ".zip")).string();
        synth::writeContentFile(c.file, {all.entryName}, records, true);
        load(c, c.texts, c.flags);
        if (c.texts.size() != records || c.flags.size() != records)
            throw std::runtime_error("the content did not load whole");
        KOVA_startup(nullptr);
        if (loadReadings(all.entryName.c_str(), c.texts, c.readings) != ReadingsRead::Read)
            throw std::runtime_error("the readings did not load");
    }
}

// The sum (modulo 2^16) of every code unit of s, read eight at a time: a plain read as fast as
// the filter's own search reads. A loop of one unit at a time is not vectorised at -O2 and came
// out slower than the keyword search it is meant to bound.
std::uint16_t sumOfCodeUnits(std::u16string_view s)
{
    std::size_t i = 0;
    std::uint16_t sum = 0;
#ifdef __SSE2__
    __m128i lanes = _mm_setzero_si128();
    for (; i + 8 <= s.size(); i += 8)
        lanes = _mm_add_epi16(lanes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&s[i])));
    alignas(16) std::uint16_t lane[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(lane), lanes);
    for (const std::uint16_t unit : lane)
        sum = static_cast<std::uint16_t>(sum + unit);
#endif
    for (; i < s.size(); ++i)
        sum = static_cast<std::uint16_t>(sum + s[i]);
    return sum;
}

void runKeyword(benchmark::State& state, const std::u16string& keyword)
{
    const Corpus& c = corpus(state);
    pages::MatchList matches;
    for (auto _ : state) {
        pages::FilterSentences(c.texts, c.flags, 0, keyword, matches);
        benchmark::DoNotOptimize(matches.matchCount);
    }
    state.counters["matches"] = matches.matchCount;
}

// Every code unit of the sentences, read once from the one buffer they are kept in.
void BM_ReadTexts(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(sumOfCodeUnits(corpus(state).texts.units()));
}

// The same read shared by two threads, as the keyword search of a content of this size is: the
// later half summed on a thread started for it, as the search starts one.
void BM_ReadTextsOnTwoThreads(benchmark::State& state)
{
    const std::u16string_view units = corpus(state).texts.units();
    const std::size_t half = units.size() / 2;
    for (auto _ : state) {
        std::uint16_t later = 0;
        std::thread helper([&] { later = sumOfCodeUnits(units.substr(half)); });
        const std::uint16_t first = sumOfCodeUnits(units.substr(0, half));
        helper.join();
        benchmark::DoNotOptimize(first + later);
    }
}

// Every code unit of the sentences and of their readings, the two buffers a search with readings
// reads.
void BM_ReadTextsAndReadings(benchmark::State& state)
{
    const Corpus& c = corpus(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumOfCodeUnits(c.texts.units()));
        benchmark::DoNotOptimize(sumOfCodeUnits(c.readings.units()));
    }
}

// A keyword as the page searches it now: folded, and in kana also by the readings.
void runQuery(benchmark::State& state, std::u16string_view keyword, bool withReadings)
{
    const Corpus& c = corpus(state);
    const StringArray terms = pages::KeywordTerms(keyword);
    const pages::KeywordQuery query = pages::makeQuery(terms, terms, nullptr);
    pages::MatchList matches;
    for (auto _ : state) {
        matches.clear();
        pages::AppendQueryMatches(c.texts, c.flags, withReadings ? &c.readings : nullptr, query,
                                  matches);
        benchmark::DoNotOptimize(matches.matchCount);
    }
    state.counters["matches"] = matches.matchCount;
}

void BM_FoldedCommon(benchmark::State& state)
{
    runQuery(state, utf16(synth::kCommonTerm), true);
}

void BM_ReadingRare(benchmark::State& state)
{
    runQuery(state, synth::kRareReading, true);
}

void BM_ReadingCommon(benchmark::State& state)
{
    runQuery(state, synth::kCommonReading, true);
}

void BM_KeywordRare(benchmark::State& state)
{
    runKeyword(state, utf16(synth::kRareTerm));
}

void BM_KeywordCommon(benchmark::State& state)
{
    runKeyword(state, utf16(synth::kCommonTerm));
}

void BM_KeywordRareCommon(benchmark::State& state)
{
    runKeyword(state, utf16(synth::kRareTerm) + u" " + utf16(synth::kCommonTerm));
}

void BM_ReadFlags(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(sumOfCodeUnits(corpus(state).flags.units()));
}

void BM_Category(benchmark::State& state)
{
    const Corpus& c = corpus(state);
    pages::MatchList matches;
    for (auto _ : state) {
        pages::FilterSentences(c.texts, c.flags, kCategoryCode, u"", matches);
        benchmark::DoNotOptimize(matches.matchCount);
    }
    state.counters["matches"] = matches.matchCount;
}

// A fresh chain every time: the list is cleared first, so nothing is narrowed.
void BM_CodeChain(benchmark::State& state)
{
    const Corpus& c = corpus(state);
    pages::MatchList matches;
    for (auto _ : state) {
        matches.clear();
        pages::FilterByCodes(c.texts, c.flags, kChainCodes, matches);
        benchmark::DoNotOptimize(matches.matchCount);
    }
    state.counters["matches"] = matches.matchCount;
}

// What loading cannot avoid: opening the archive, inflating the entry (its CRC checked) and
// turning every field into UTF-16, into one reused buffer.
void BM_InflateDecode(benchmark::State& state)
{
    const Corpus& c = corpus(state);
    const std::string& entryName = corpora().entryName;
    std::u16string buffer(kItemChars, u'\0');
    for (auto _ : state) {
        content::ArchiveError error;
        const content::ContentArchive archive = content::ContentArchive::open(c.file, error);
        std::string data;
        if (error != content::ArchiveError::None ||
            archive.read(entryName, data) != content::ArchiveError::None) {
            state.SkipWithError("the content file cannot be read");
            break;
        }
        std::size_t units = 0;
        content::forEachLine(data, [&](std::size_t, std::string_view line) {
            const std::size_t tab = line.find('\t');
            std::size_t length = 0;
            content::decodeField(line.substr(0, tab), buffer.data(), buffer.size(), length);
            units += length;
            content::decodeField(line.substr(tab + 1), buffer.data(), buffer.size(), length);
            units += length;
            return true;
        });
        benchmark::DoNotOptimize(units);
    }
}

void BM_Load(benchmark::State& state)
{
    const Corpus& c = corpus(state);
    ContentArray texts;
    ContentArray flags;
    for (auto _ : state) {
        state.PauseTiming(); // fresh arrays each time; freeing the last ones is not loading
        texts.release();
        flags.release();
        state.ResumeTiming();
        load(c, texts, flags);
    }
    state.counters["records"] = static_cast<double>(texts.size());
}

void configure(benchmark::internal::Benchmark* b)
{
    b->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
    b->Repetitions(5)->ReportAggregatesOnly(true);
    for (const std::size_t records : kSizes)
        b->Arg(static_cast<std::int64_t>(records));
}

} // namespace

BENCHMARK(BM_ReadTexts)->Apply(configure);
BENCHMARK(BM_ReadTextsOnTwoThreads)->Apply(configure);
BENCHMARK(BM_KeywordRare)->Apply(configure);
BENCHMARK(BM_KeywordCommon)->Apply(configure);
BENCHMARK(BM_KeywordRareCommon)->Apply(configure);
BENCHMARK(BM_ReadTextsAndReadings)->Apply(configure);
BENCHMARK(BM_FoldedCommon)->Apply(configure);
BENCHMARK(BM_ReadingRare)->Apply(configure);
BENCHMARK(BM_ReadingCommon)->Apply(configure);
BENCHMARK(BM_ReadFlags)->Apply(configure);
BENCHMARK(BM_Category)->Apply(configure);
BENCHMARK(BM_CodeChain)->Apply(configure);
BENCHMARK(BM_InflateDecode)->Apply(configure);
BENCHMARK(BM_Load)->Apply(configure);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    int result = 0;
    try {
        prepare();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "content_bench: " << error.what() << '\n';
        result = 1;
    }
    benchmark::Shutdown();
    KOVA_useContentFile(nullptr);
    if (!corpora().folder.empty())
        std::filesystem::remove_all(corpora().folder);
    return result;
}
