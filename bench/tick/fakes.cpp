#include "bench/tick/fakes.h"

#include <cmath>

namespace kelvra::bench {
namespace {

constexpr double kTickSeconds = 0.020;
const QTime kFirstTimeOfDay(9, 5, 7);
constexpr std::int64_t kFirstUtcNs = 1'760'000'000'000'000'000;

}  // namespace

QString SeismicLink::input()
{
    QString reply;
    reply.swap(pending_);
    return reply;
}

void SeismicLink::output(const QString& text)
{
    const int channel = text.toInt();
    pending_ = QString::number(signal_.reading(channel, seconds_));
    seconds_ += kTickSeconds;
}

QTime TickClock::timeOfDay() const
{
    return kFirstTimeOfDay.addMSecs(static_cast<int>(std::lround(link_.seconds() * 1000.0)));
}

std::int64_t TickClock::utcNanoseconds() const
{
    return kFirstUtcNs + std::llround(link_.seconds() * 1e9);
}

void NullView::drawLine(int chart, float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    checksum_ += chart + x1 + y1 + x2 + y2 + (colour ? colour->r : 0);
}

}  // namespace kelvra::bench
