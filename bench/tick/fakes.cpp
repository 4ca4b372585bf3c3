#include "bench/tick/fakes.h"

namespace kelvra::bench {
namespace {

constexpr double kTickSeconds = 0.020;
const QTime kFirstTimeOfDay(9, 5, 7);

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
    return kFirstTimeOfDay.addMSecs(static_cast<int>(kTickSeconds * 1000.0) * readings_++);
}

void NullView::drawLine(int chart, float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    checksum_ += chart + x1 + y1 + x2 + y2 + (colour ? colour->r : 0);
}

}  // namespace kelvra::bench
