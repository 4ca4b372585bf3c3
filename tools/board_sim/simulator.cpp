#include "tools/board_sim/simulator.h"

#include "tools/board_sim/board.h"
#include "tools/board_sim/byte_log.h"
#include "tools/board_sim/device_link.h"
#include "tools/board_sim/pty_line.h"
#include "tools/board_sim/status_line.h"
#include "tools/board_sim/stop_signals.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <poll.h>
#include <random>

namespace kelvra::boardsim {
namespace {

// How often to look for a client while nobody has the device open; the master reports
// hang-up all that time, so polling it would return at once.
constexpr std::chrono::milliseconds kListenerCheck{5};

void earliest(std::optional<SimClock::time_point>& deadline, std::optional<SimClock::time_point> t)
{
    if (t && (!deadline || *t < *deadline))
        deadline = t;
}

// The wait until the deadline, to the nanosecond: a byte due at a moment goes out then, not up to
// a millisecond later, so a reply's characters keep their line spacing.
std::optional<timespec> pollTimeout(std::optional<SimClock::time_point> deadline, SimClock::time_point now)
{
    if (!deadline)
        return std::nullopt;
    const auto wait = std::min<SimClock::duration>(std::max<SimClock::duration>(*deadline - now, {}),
                                                   std::chrono::seconds(60));
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

class Simulator {
public:
    Simulator(const SimOptions& options, std::uint64_t seed, PtyLine& line, DeviceLink& link, ByteLog& log,
              ReplyLog& replyLog)
        : options_(options),
          line_(line),
          link_(link),
          log_(log),
          replyLog_(replyLog),
          start_(SimClock::now()),
          board_(makeSignal(options, seed), options.faults, seed, start_),
          status_(stdout, !options.quiet)
    {
        if (options.faults.hangupAfter)
            hangupAt_ = start_ + *options.faults.hangupAfter;
    }

    // False when the line could not be made again.
    bool run(const StopSignals& stop);

private:
    static std::unique_ptr<SignalModel> makeSignal(const SimOptions& options, std::uint64_t seed)
    {
        if (options.constant)
            return std::make_unique<ConstantSignal>(*options.constant);
        return std::make_unique<SeismicSignal>(seed, options.eventAfter);
    }

    // Writes what is due; true when the far side is full and the line has to become writable first.
    bool transmit(SimClock::time_point now);
    void receive();
    void hangUp(SimClock::time_point now);
    bool replug();
    std::string statusText(bool listening) const;

    const SimOptions& options_;
    PtyLine& line_;
    DeviceLink& link_;
    ByteLog& log_;
    ReplyLog& replyLog_;
    SimClock::time_point start_;
    Board board_;
    StatusLine status_;
    std::optional<SimClock::time_point> hangupAt_;
    std::optional<SimClock::time_point> replugAt_;
};

// A pulled adapter's device goes, and with it the name it was found under.
void Simulator::hangUp(SimClock::time_point now)
{
    line_.hangUp();
    link_.remove();
    board_.outbox().clear();
    if (options_.faults.replug)
        replugAt_ = now + kReplugAfter;
}

bool Simulator::replug()
{
    replugAt_.reset();
    std::string error;
    if (!line_.open(error) || !link_.create(options_.link, line_.deviceName(), error)) {
        std::fprintf(stderr, "kelvra-board-sim: %s\n", error.c_str());
        return false;
    }
    if (!options_.quiet) {
        std::printf("kelvra-board-sim: board back on %s -> %s\n", options_.link.c_str(), line_.deviceName().c_str());
        std::fflush(stdout);
    }
    return true;
}

bool Simulator::transmit(SimClock::time_point now)
{
    for (;;) {
        const std::string_view bytes = board_.outbox().ready(now);
        if (bytes.empty())
            return false;
        const WriteResult result = line_.write(bytes);
        board_.outbox().sent(result.written, now);
        if (result.wouldBlock)
            return true;
        if (result.written == 0) {
            // The line refused outright: nobody is there to hear the rest.
            board_.outbox().clear();
            return false;
        }
    }
}

void Simulator::receive()
{
    const std::string bytes = line_.readAvailable();
    const SimClock::time_point now = SimClock::now();
    log_.record(bytes, now);
    for (const char byte : bytes) {
        if (const auto reply = board_.receive(byte, now))
            replyLog_.record(*reply, now);
    }
}

std::string Simulator::statusText(bool listening) const
{
    const BoardCounters& c = board_.counters();
    std::string text = "kelvra-board-sim: requests " + std::to_string(c.requests) + ", replies "
        + std::to_string(c.replies) + ", ignored " + std::to_string(c.ignored) + ", sent "
        + std::to_string(board_.outbox().bytesSent()) + " bytes";
    if (!line_.isOpen())
        text += ", line hung up";
    else if (!listening)
        text += ", nobody on the line";
    return text;
}

bool Simulator::run(const StopSignals& stop)
{
    bool ok = true;
    while (!stop.raised()) {
        const SimClock::time_point now = SimClock::now();
        if (hangupAt_ && line_.isOpen() && now >= *hangupAt_) {
            hangupAt_.reset();
            hangUp(now);
        }
        if (replugAt_ && now >= *replugAt_) {
            ok = replug();
            if (!ok)
                break;
        }
        const bool listening = line_.hasListener();
        bool waitingForRoom = false;
        std::optional<SimClock::time_point> deadline;
        if (line_.isOpen()) {
            board_.advance(now);
            if (listening)
                waitingForRoom = transmit(now);
            else
                board_.outbox().clear();  // as on a real line, what nobody hears is lost
            earliest(deadline, board_.nextWake());
            if (!waitingForRoom)
                earliest(deadline, board_.outbox().nextDue());
            earliest(deadline, hangupAt_);
            if (!listening)
                earliest(deadline, now + kListenerCheck);
        }
        status_.show(statusText(listening), now);
        earliest(deadline, status_.nextDue());
        earliest(deadline, replugAt_);

        pollfd fds[2] = {{stop.fd(), POLLIN, 0}, {line_.fd(), POLLIN, 0}};
        if (waitingForRoom)
            fds[1].events |= POLLOUT;
        const nfds_t count = listening ? 2 : 1;
        const std::optional<timespec> timeout = pollTimeout(deadline, SimClock::now());
        if (::ppoll(fds, count, timeout ? &*timeout : nullptr, nullptr) < 0 && errno != EINTR)
            break;
        if (line_.isOpen())
            receive();
    }
    status_.finish();
    return ok;
}

}  // namespace

int runSimulator(const SimOptions& options)
{
    std::string error;
    StopSignals stop;
    PtyLine line;
    DeviceLink link;
    ByteLog log;
    ReplyLog replyLog;
    if (!stop.install(error) || !line.open(error) || (!options.logPath.empty() && !log.open(options.logPath, error))
        || (!options.replyLogPath.empty() && !replyLog.open(options.replyLogPath, error))
        || !link.create(options.link, line.deviceName(), error)) {
        std::fprintf(stderr, "kelvra-board-sim: %s\n", error.c_str());
        return 1;
    }
    const std::uint64_t seed = options.seed ? *options.seed : std::random_device{}();
    if (!options.quiet) {
        std::printf("kelvra-board-sim: board on %s -> %s, seed %llu\n", options.link.c_str(),
                    line.deviceName().c_str(), static_cast<unsigned long long>(seed));
        std::fflush(stdout);
    }
    return Simulator(options, seed, line, link, log, replyLog).run(stop) ? 0 : 1;
}

}  // namespace kelvra::boardsim
