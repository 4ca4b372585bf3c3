#include "tools/board_sim/board.h"

namespace kelvra::boardsim {
namespace {

constexpr std::chrono::milliseconds kBurstAfterFirstRequest{100};

}  // namespace

Board::Board(std::unique_ptr<SignalModel> signal, const Faults& faults, std::uint64_t seed,
             SimClock::time_point start)
    : signal_(std::move(signal)),
      faults_(faults),
      shaper_(faults, splitMix(seed + 1)),
      random_(splitMix(seed + 2)),
      start_(start)
{
    if (faults_.chatty)
        nextChatter_ = start_ + chatterPause();
}

std::chrono::nanoseconds Board::chatterPause()
{
    return std::chrono::microseconds(5000 + random_.below(35000));
}

std::string Board::readingText(int channel, SimClock::time_point now)
{
    const double seconds = std::chrono::duration<double>(now - start_).count();
    return std::to_string(signal_->reading(channel, seconds));
}

std::optional<SentReply> Board::receive(char byte, SimClock::time_point now)
{
    if (byte < '0' || byte >= '0' + kChannels) {
        ++counters_.ignored;
        return std::nullopt;
    }
    ++counters_.requests;
    // What the adapter held goes out with the next request, ahead of its reply.
    outbox_.release(now);
    if (faults_.burst && !burstAt_)
        burstAt_ = now + kBurstAfterFirstRequest;
    const int channel = byte - '0';
    std::string reading = readingText(channel, now);
    const ShapedReply shaped = shaper_.shape(reading);
    if (shaped.pieces.empty())
        return std::nullopt;
    ++counters_.replies;
    for (const ReplyPiece& piece : shaped.pieces) {
        if (piece.held)
            outbox_.hold(piece.bytes);
        else
            outbox_.push(now + piece.delay, piece.bytes);
    }
    return SentReply{channel, std::move(reading), shaped.noise};
}

std::string Board::burstText()
{
    std::string text;
    text.reserve(kBurstBytes + 8);
    while (text.size() < kBurstBytes)
        text += std::to_string(random_.below(kMaxReading + 1)) + "\r\n";
    text.resize(kBurstBytes);
    return text;
}

void Board::advance(SimClock::time_point now)
{
    if (burstAt_ && !burstSent_ && now >= *burstAt_) {
        burstSent_ = true;
        outbox_.push(now, burstText(), false);
    }
    if (nextChatter_ && now >= *nextChatter_) {
        // Chatter fills the gaps; it never breaks into a reply.
        if (outbox_.empty())
            outbox_.push(now, readingText(static_cast<int>(random_.below(kChannels)), now));
        nextChatter_ = now + chatterPause();
    }
}

std::optional<SimClock::time_point> Board::nextWake() const
{
    std::optional<SimClock::time_point> wake = nextChatter_;
    if (burstAt_ && !burstSent_ && (!wake || *burstAt_ < *wake))
        wake = burstAt_;
    return wake;
}

}  // namespace kelvra::boardsim
