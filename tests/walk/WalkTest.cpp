// The random walk over the main window with its three pages, on the sample content and on a
// generated content with skewed flag strings. The seed is fixed, so a failure replays: the
// message names the seed and the step.

#include "Walk.h"
#include "WalkContent.h"
#include "app/CVerdaneDlg.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <string>

namespace
{

constexpr std::uint64_t kDefaultSeed = 20240917;
constexpr int kDefaultSteps = 4000;

std::uint64_t walkSeed()
{
    const char* seed = std::getenv("VERDANE_WALK_SEED");
    return seed && *seed ? std::strtoull(seed, nullptr, 10) : kDefaultSeed;
}

int walkSteps()
{
    const char* steps = std::getenv("VERDANE_WALK_STEPS");
    return steps && *steps ? std::atoi(steps) : kDefaultSteps;
}

void walkOver(const std::string& name, const std::string& contentFile)
{
    const std::uint64_t seed = walkSeed();
    const int steps = walkSteps();
    const walk::Contents contents = walk::readContentFile(contentFile);

    testing_support::UseContentFile use(contentFile);
    testing_support::RecordingEffects effects;
    CVerdaneDlg window;
    ASSERT_TRUE(window.Create());
    window.show();
    QApplication::setActiveWindow(&window);

    walk::Walk walk(window, effects, contents, seed);
    const auto start = std::chrono::steady_clock::now();
    const std::string report = walk.run(steps);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "walked " << walk.stepsWalked() << " steps over the " << name << " content in "
              << seconds << " s (" << (walk.stepsWalked() ? 1000 * seconds / walk.stepsWalked() : 0)
              << " s per 1000 steps), seed " << seed << "\n";
    EXPECT_TRUE(report.empty()) << "walk over the " << name << " content, seed " << seed
                                << " (replay with VERDANE_WALK_SEED=" << seed
                                << " VERDANE_WALK_STEPS=" << steps << "):\n"
                                << report;
}

} // namespace

TEST(RandomWalk, OverTheSampleContent)
{
    walkOver("sample", VERDANE_CONTENT_FILE);
}

TEST(RandomWalk, OverASkewedContent)
{
    testing_support::ContentFolder folder;
    // The content is made from the seed too, so one seed replays the whole walk.
    std::mt19937_64 random(walkSeed() ^ 0x5eed5eedULL);
    walkOver("skewed", walk::writeSkewedContentFile(folder, random));
}
