#include "recorder/reply_assembly.h"

#include "recorder/reading.h"

namespace kelvra {

void ReplyAssembly::take(int channel, std::int64_t requestUtcNs, QStringView text, qsizetype earlier)
{
    // Bytes before the first request answer nothing of ours.
    bool previousAnswered = true;
    if (open_) {
        open_->text += text.left(earlier);
        previousAnswered = !open_->text.isEmpty();
        complete(std::move(*open_));
    }
    open_ = Reply{channel, requestUtcNs, text.mid(earlier).toString(), previousAnswered};
}

void ReplyAssembly::lineOpened()
{
    if (open_)
        complete(std::move(*open_));
    open_.reset();
}

void ReplyAssembly::complete(Reply reply)
{
    if (!reply.text.isEmpty() && boardReading(reply.text).kind != BoardReadingKind::Reading)
        for (Reply& before : complete_)
            before.nextNotWhole = true;
    complete_.push_back(std::move(reply));
    if (complete_.size() > kConfirmingReplies) {
        settle(complete_.front());
        complete_.pop_front();
    }
}

void ReplyAssembly::settle(const Reply& reply)
{
    if (reply.text.isEmpty()) {
        sink_.gap(reply.channel, GapReason::NoReply);
        return;
    }
    const BoardReading reading = boardReading(reply.text);
    if (reading.kind != BoardReadingKind::Reading) {
        sink_.gap(reply.channel,
                  reading.kind == BoardReadingKind::OutOfRange ? GapReason::OutOfRange : GapReason::NotANumber);
        return;
    }
    if (!reply.followsAnswered) {
        sink_.gap(reply.channel, GapReason::Uncertain);
        return;
    }
    if (reply.nextNotWhole) {
        sink_.gap(reply.channel, GapReason::CutShort);
        return;
    }
    sink_.record(reply.channel, reading.counts, reply.utcNs);
}

}  // namespace kelvra
