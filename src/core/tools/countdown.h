#pragma once

#include <array>
#include <functional>

#include <QString>
#include <QtGlobal>

// The kitchen timer's countdown, measured against a monotonic clock (a change
// of the system time does not move it) rather than by counting ticks, so late
// ticks do not make it drift.
class TCountdown final {
public:
    // Milliseconds from any fixed point; only differences count.
    using TClock = std::function<qint64()>;
    static TClock SteadyClock();

    explicit TCountdown(TClock clock = SteadyClock());

    // The duration to count down, in whole seconds.
    void Set(int seconds) { SetSeconds = seconds; }
    int Duration() const { return SetSeconds; }
    void Start();
    void Stop() { Running = false; }
    bool IsRunning() const { return Running; }
    // The set duration less the time since the start (may be negative).
    qint64 RemainingMs() const;

private:
    TClock Clock;
    int SetSeconds = 0;
    qint64 StartMs = 0;
    bool Running = false;
};

// "HH:NN:SS" of a duration; fractions of a second are cut off, and a negative
// duration shows as "00:00:00". Hours wrap at 24, as a time of day.
QString FormatRemaining(qint64 ms);

// The six digits of an "HH:NN:SS" text (characters 1, 2, 4, 5, 7, 8); a
// character that is not a digit counts as 0.
std::array<int, 6> DisplayDigits(const QString& text);

// The seconds of a preset button's tag (180, 300, 600, 1200, 1800, 3600);
// -1 for any other tag.
int PresetSeconds(int tag);

// The custom time hours:minutes:seconds in seconds. Throws TSaporiaError when
// it is not a time of day (a part out of range).
int CustomTimeSeconds(int hours, int minutes, int seconds);

// "時間が設定されていません" when all three are 0, empty otherwise.
QString CustomTimeWarning(int hours, int minutes, int seconds);
