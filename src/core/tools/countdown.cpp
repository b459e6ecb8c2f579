#include "core/tools/countdown.h"

#include <memory>

#include <QElapsedTimer>

#include "core/platform/saporia_error.h"

namespace {

constexpr qint64 DayMs = 24LL * 3600 * 1000;

QString TwoDigits(qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

}  // namespace

TCountdown::TClock TCountdown::SteadyClock() {
    // QElapsedTimer uses the monotonic clock where there is one.
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

TCountdown::TCountdown(TClock clock) : Clock(std::move(clock)) {}

void TCountdown::Start() {
    StartMs = Clock();
    Running = true;
}

qint64 TCountdown::RemainingMs() const { return SetSeconds * 1000LL - (Clock() - StartMs); }

QString FormatRemaining(qint64 ms) {
    if (ms < 0)
        ms = 0;
    const qint64 seconds = (ms % DayMs) / 1000;
    return TwoDigits(seconds / 3600) + QLatin1Char(':') + TwoDigits(seconds / 60 % 60) + QLatin1Char(':') +
           TwoDigits(seconds % 60);
}

std::array<int, 6> DisplayDigits(const QString& text) {
    std::array<int, 6> digits{};
    const int positions[6] = {0, 1, 3, 4, 6, 7};
    for (int i = 0; i < 6; ++i) {
        const int p = positions[i];
        const QChar c = p < text.size() ? text[p] : QChar();
        digits[i] = c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0;
    }
    return digits;
}

int PresetSeconds(int tag) {
    switch (tag) {
    case 180:
    case 300:
    case 600:
    case 1200:
    case 1800:
    case 3600:
        return tag;
    default:
        return -1;
    }
}

int CustomTimeSeconds(int hours, int minutes, int seconds) {
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        throw TSaporiaError(QStringLiteral("'%1:%2:%3' は正しい時刻ではありません").arg(hours).arg(minutes).arg(seconds));
    return hours * 3600 + minutes * 60 + seconds;
}

QString CustomTimeWarning(int hours, int minutes, int seconds) {
    return hours == 0 && minutes == 0 && seconds == 0 ? QStringLiteral("時間が設定されていません") : QString();
}
