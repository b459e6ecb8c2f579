#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "core/tools/countdown.h"

TEST(CountdownTest, RemainingTimeCutsFractionsAndNeverDrifts) {
    struct TRow { int Seconds; qint64 Elapsed; const char* Shown; bool TimeUp; };
    const TRow rows[] = {
        {180, 0, "00:03:00", false},       {180, 500, "00:02:59", false},     {180, 1000, "00:02:59", false},
        {180, 1001, "00:02:58", false},    {180, 179'999, "00:00:00", false}, {180, 180'000, "00:00:00", true},
        {180, 400'000, "00:00:00", true},  {86399, 0, "23:59:59", false},
    };
    for (const TRow& row : rows) {
        qint64 now = 1'000'000;
        TCountdown countdown([&now] { return now; });
        countdown.Set(row.Seconds);
        countdown.Start();
        now += row.Elapsed;
        SCOPED_TRACE(std::to_string(row.Seconds) + " " + std::to_string(row.Elapsed));
        EXPECT_EQ(FormatRemaining(countdown.RemainingMs()), QString::fromLatin1(row.Shown));
        EXPECT_EQ(countdown.RemainingMs() <= 0, row.TimeUp);
    }
    // Not a digit, or missing: 0.
    EXPECT_EQ(DisplayDigits("23:59:59"), (std::array<int, 6>{2, 3, 5, 9, 5, 9}));
    EXPECT_EQ(DisplayDigits("1a:-0:5"), (std::array<int, 6>{1, 0, 0, 0, 5, 0}));
}

TEST(CountdownTest, PresetsAndCustomTimes) {
    const std::pair<int, int> presets[] = {{180, 180}, {300, 300}, {600, 600}, {1200, 1200}, {1800, 1800},
                                           {3600, 3600}, {0, -1},   {181, -1}, {-180, -1}};
    for (const auto& [tag, seconds] : presets)
        EXPECT_EQ(PresetSeconds(tag), seconds) << tag;
    // Seconds -1: refused with an error.
    const int customs[][5] = {{0, 0, 0, 0, true},       {0, 0, 1, 1, false},  {23, 59, 59, 86399, false},
                              {24, 0, 0, -1, false},    {0, 60, 0, -1, false}, {0, 0, 60, -1, false},
                              {-1, 0, 0, -1, false}};
    for (const auto& [h, m, s, seconds, warned] : customs) {
        SCOPED_TRACE(std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s));
        EXPECT_EQ(!CustomTimeWarning(h, m, s).isEmpty(), bool(warned));
        if (seconds < 0) {
            EXPECT_THROW(CustomTimeSeconds(h, m, s), TSaporiaError);
        } else {
            EXPECT_EQ(CustomTimeSeconds(h, m, s), seconds);
        }
    }
}
