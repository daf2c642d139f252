// The benchmarks mean something only if the synthetic content has the shape they assume and
// reaches them unchanged through the library.

#include "SyntheticContent.h"
#include "content/ContentNames.h"
#include "content/RecordFormat.h"
#include "content/tessera.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(SyntheticContent, SameSeedGivesSameRecords)
{
    EXPECT_EQ(synth::makeRecords(200, 7), synth::makeRecords(200, 7));
    EXPECT_NE(synth::makeRecords(200, 7), synth::makeRecords(200, 8));
}

TEST(SyntheticContent, RecordsHaveTheirShape)
{
    for (const auto& [flags, text] : synth::makeRecords(5000, synth::kSeed)) {
        ASSERT_EQ(flags.size(), synth::kFlagCount);
        ASSERT_EQ(flags.find_first_not_of("01"), std::string::npos) << flags;
        // Well-formed UTF-8, all of it in the BMP.
        const std::u16string decoded = synth::utf16(text);
        ASSERT_GE(decoded.size(), synth::kMinChars) << text;
        ASSERT_LE(decoded.size(), synth::kMaxChars) << text;
        ASSERT_EQ(decoded.size(), synth::charCount(text)) << text;
        ASSERT_EQ(text.find_first_of("\t\n\\"), std::string::npos) << text; // nothing to escape
        ASSERT_TRUE(text.ends_with("。")) << text;
    }
}

TEST(SyntheticContent, FlagsAndTermsOccurAsOften_AsTheBenchmarksAssume)
{
    const auto records = synth::makeRecords(20000, synth::kSeed);
    std::size_t set = 0, rare = 0, common = 0;
    for (const auto& [flags, text] : records) {
        set += static_cast<std::size_t>(std::count(flags.begin(), flags.end(), '1'));
        rare += text.find(synth::kRareTerm) != std::string::npos;
        common += text.find(synth::kCommonTerm) != std::string::npos;
    }
    const double n = static_cast<double>(records.size());
    EXPECT_NEAR(static_cast<double>(set) / (n * synth::kFlagCount), synth::kFlagChance, 0.01);
    EXPECT_GT(rare, 0u);
    EXPECT_LT(static_cast<double>(rare) / n, 0.02);
    EXPECT_GT(static_cast<double>(common) / n, 0.2);
}

TEST(SyntheticContent, WrittenFileReadsBackThroughTheLibrary)
{
    std::string folder = (std::filesystem::temp_directory_path() / "verdane-synth-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string file = folder + "/content.zip";
    const std::vector<std::string> names = {std::string(content::kClubContent),
                                            std::string(content::kVolunteerContent)};
    synth::writeContentFile(file, names, 30);
    KOVA_useContentFile(file.c_str());
    EXPECT_EQ(KOVA_startup(nullptr), KOVA_OK); // a sound archive with the content file's comment
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto records = synth::makeRecords(30, synth::kSeed + static_cast<unsigned>(i));
        int count = 0;
        ASSERT_EQ(KOVA_getZipData(0, content::cp932ContentName(names[i]).c_str(), -1, -1, &count),
                  KOVA_OK);
        ASSERT_EQ(count, 30);
        char16_t item[512];
        for (const int index : {0, 29}) {
            ASSERT_EQ(KOVA_getItem(KOVA_ITEM_TEXT, index, item, sizeof item), KOVA_OK);
            EXPECT_EQ(std::u16string(item), synth::utf16(records[std::size_t(index)].second));
            ASSERT_EQ(KOVA_getItem(KOVA_ITEM_FLAGS, index, item, sizeof item), KOVA_OK);
            EXPECT_EQ(std::u16string(item), synth::utf16(records[std::size_t(index)].first));
        }
    }
    KOVA_clearData();
    KOVA_useContentFile(nullptr);
    std::filesystem::remove_all(folder);
}

} // namespace
