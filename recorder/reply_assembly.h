#pragma once

#include "recorder/sample_sink.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kelvra {

// Rebuilds each request's reply from the texts the ticks read, for the archive. The board answers
// in order, so bytes that timing shows came in before the outstanding request's reply could begin
// finish the reply of the request before it: a reply split across a tick is joined, and one that
// arrived just after its tick's read goes to its own request with that request's time. A reading
// is held for one tick and kept only when nothing shows it was cut short; whatever cannot be
// attributed for certain is a gap, never a guess.
class ReplyAssembly {
public:
    explicit ReplyAssembly(SampleSink& sink) : sink_(sink) {}

    // One tick's read for the request outstanding on `channel`, written at `requestUtcNs`; its
    // first `earlier` characters came in before that request's reply could begin.
    void take(int channel, std::int64_t requestUtcNs, QStringView text, qsizetype earlier);

private:
    struct Held {
        int channel;
        std::int64_t utcNs;
        QString text;
        bool followsAnswered;  // the request before it got at least part of an answer
    };
    // Keeps or drops a held reply, completed by the bytes that timing gives it, judged by the
    // text that the next read brought for the next request.
    void settle(const Held& held, const QString& whole, QStringView nextText);

    SampleSink& sink_;
    std::optional<Held> held_;
};

}  // namespace kelvra
