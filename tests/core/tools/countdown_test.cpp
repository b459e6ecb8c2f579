#include <gtest/gtest.h>

#include "core/platform/saporia_error.h"
#include "core/tools/countdown.h"

namespace {

struct TFakeClock {
    qint64 Now = 1'000'000;
    TCountdown::TClock Clock() {
        return [this] { return Now; };
    }
};

}  // namespace

TEST(CountdownTest, RemainingTimeCutsFractionsAndNeverDrifts) {
    struct TRow {
        int Seconds;
        qint64 Elapsed;
        const char* Shown;
        bool TimeUp;
    };
    const TRow rows[] = {
        {180, 0, "00:03:00", false},     {180, 500, "00:02:59", false},  // the first tick
        {180, 999, "00:02:59", false},   {180, 1000, "00:02:59", false},
        {180, 1001, "00:02:58", false},  {180, 179'999, "00:00:00", false},
        {180, 180'000, "00:00:00", true}, {180, 400'000, "00:00:00", true},
        {3600, 500, "00:59:59", false},  {86399, 0, "23:59:59", false},
        {1, 500, "00:00:00", false},     {1, 1000, "00:00:00", true},
    };
    for (const TRow& row : rows) {
        TFakeClock clock;
        TCountdown countdown(clock.Clock());
        countdown.Set(row.Seconds);
        countdown.Start();
        clock.Now += row.Elapsed;
        EXPECT_EQ(FormatRemaining(countdown.RemainingMs()), QString::fromLatin1(row.Shown))
            << row.Seconds << " " << row.Elapsed;
        EXPECT_EQ(countdown.RemainingMs() <= 0, row.TimeUp) << row.Seconds << " " << row.Elapsed;
    }
}

TEST(CountdownTest, DigitsOfTheDisplay) {
    struct TRow {
        const char* Text;
        std::array<int, 6> Digits;
    };
    const TRow rows[] = {
        {"00:02:59", {0, 0, 0, 2, 5, 9}},
        {"23:59:59", {2, 3, 5, 9, 5, 9}},
        {"1a:-0:5", {1, 0, 0, 0, 5, 0}},  // not a digit, or missing: 0
        {"", {0, 0, 0, 0, 0, 0}},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(DisplayDigits(QString::fromLatin1(row.Text)), row.Digits) << row.Text;
}

TEST(CountdownTest, PresetsAndCustomTimes) {
    const int presets[][2] = {{180, 180}, {300, 300}, {600, 600}, {1200, 1200}, {1800, 1800}, {3600, 3600},
                              {0, -1},    {181, -1},  {-180, -1}};
    for (const auto& row : presets)
        EXPECT_EQ(PresetSeconds(row[0]), row[1]) << row[0];

    struct TCustom {
        int H, M, S;
        int Seconds;  // -1: refused with an error
        bool Warned;
    };
    const TCustom customs[] = {
        {0, 0, 0, 0, true},        {0, 0, 1, 1, false},     {23, 59, 59, 86399, false},
        {1, 0, 0, 3600, false},    {24, 0, 0, -1, false},   {0, 60, 0, -1, false},
        {0, 0, 60, -1, false},     {-1, 0, 0, -1, false},
    };
    for (const TCustom& row : customs) {
        EXPECT_EQ(!CustomTimeWarning(row.H, row.M, row.S).isEmpty(), row.Warned);
        if (row.Seconds < 0) {
            EXPECT_THROW(CustomTimeSeconds(row.H, row.M, row.S), TSaporiaError) << row.H << row.M << row.S;
        } else {
            EXPECT_EQ(CustomTimeSeconds(row.H, row.M, row.S), row.Seconds);
        }
    }
    EXPECT_EQ(CustomTimeWarning(0, 0, 0), QStringLiteral("時間が設定されていません"));
}
