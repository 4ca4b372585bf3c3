#include "recorder/reply_assembly.h"

#include "recorder/reading.h"

namespace kelvra {

void ReplyAssembly::take(int channel, std::int64_t requestUtcNs, QStringView text, qsizetype earlier)
{
    const QStringView early = text.left(earlier);
    const QStringView own = text.mid(earlier);
    // Bytes before the first request answer nothing of ours.
    bool previousAnswered = true;
    if (held_) {
        const QString whole = held_->text + early.toString();
        previousAnswered = !whole.isEmpty();
        settle(*held_, whole, own);
    }
    held_ = Held{channel, requestUtcNs, own.toString(), previousAnswered};
}

void ReplyAssembly::settle(const Held& held, const QString& whole, QStringView nextText)
{
    if (whole.isEmpty()) {
        sink_.gap(held.channel, GapReason::NoReply);
        return;
    }
    const BoardReading reading = boardReading(whole);
    if (reading.kind != BoardReadingKind::Reading) {
        sink_.gap(held.channel,
                  reading.kind == BoardReadingKind::OutOfRange ? GapReason::OutOfRange : GapReason::NotANumber);
        return;
    }
    if (!held.followsAnswered) {
        sink_.gap(held.channel, GapReason::Uncertain);
        return;
    }
    if (!nextText.isEmpty() && boardReading(nextText).kind != BoardReadingKind::Reading) {
        sink_.gap(held.channel, GapReason::CutShort);
        return;
    }
    sink_.record(held.channel, reading.counts, held.utcNs);
}

}  // namespace kelvra
