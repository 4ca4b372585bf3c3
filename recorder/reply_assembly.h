#pragma once

#include "recorder/sample_sink.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <deque>
#include <optional>

namespace kelvra {

// Rebuilds each request's reply from the texts the ticks read, for the archive. The board answers
// in order, so bytes that timing shows came in before the outstanding request's reply could begin
// finish the reply of the request before it: a reply split across a tick is joined, and one that
// arrived just after its tick's read goes to its own request with that request's time. A tail that
// came in later still is taken for the start of the next reply, and the pieces it shifts show up
// within a few replies as something that is not a reading; so a reply is kept only once the
// kConfirmingReplies after it are whole too. Whatever cannot be attributed for certain is a gap, never a guess.
class ReplyAssembly {
public:
    static constexpr std::size_t kConfirmingReplies = 3;

    explicit ReplyAssembly(SampleSink& sink) : sink_(sink) {}

    // One tick's read for the request outstanding on `channel`, written at `requestUtcNs`; its
    // first `earlier` characters came in before that request's reply could begin.
    void take(int channel, std::int64_t requestUtcNs, QStringView text, qsizetype earlier);
    // The line was opened again after it went away: the next request follows none that could still
    // be answered on it.
    void lineOpened();

private:
    struct Reply {
        int channel;
        std::int64_t utcNs;
        QString text;
        bool followsAnswered;     // the request before it got at least part of an answer
        bool nextNotWhole = false;  // one of the replies after it was not a reading
    };
    void complete(Reply reply);
    void settle(const Reply& reply);

    SampleSink& sink_;
    std::optional<Reply> open_;   // may still get bytes that the next read proves are its own
    std::deque<Reply> complete_;  // waiting for the replies after them
};

}  // namespace kelvra
