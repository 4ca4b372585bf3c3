#include "tools/board_sim/sim_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace kelvra::boardsim {
namespace {

// The limit keeps the conversion to milliseconds far from overflow.
constexpr double kMaxSeconds = 1e9;

std::optional<long long> parseInteger(const std::string& text)
{
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> parseSeed(const std::string& text)
{
    // strtoull would quietly wrap a minus sign around.
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

std::string parseConstant(const std::string& text, SimOptions& options)
{
    std::array<long long, kChannels> values{};
    std::size_t from = 0;
    for (int k = 0; k < kChannels; ++k) {
        const std::size_t comma = text.find(',', from);
        const bool last = k == kChannels - 1;
        if (last != (comma == std::string::npos))
            return "--constant needs exactly four integers A,B,C,D, got '" + text + "'";
        const auto value = parseInteger(text.substr(from, last ? std::string::npos : comma - from));
        if (!value)
            return "--constant needs four integers A,B,C,D, got '" + text + "'";
        values[k] = *value;
        from = comma + 1;
    }
    options.constant = values;
    return {};
}

// Digits with at most one point: no sign, exponent, inf or nan.
std::optional<double> parseSeconds(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !(value <= kMaxSeconds))
        return std::nullopt;
    return value;
}

std::string parseHangup(const std::string& mode, const std::string& seconds, Faults& faults)
{
    const auto value = parseSeconds(seconds);
    if (!value)
        return mode + " needs seconds, e.g. --fault " + mode + ":3 or " + mode + ":0.5, got '" + seconds + "'";
    faults.hangupAfter = std::chrono::milliseconds(std::llround(*value * 1000.0));
    faults.replug = mode == "replug-after";
    return {};
}

std::string parseFault(const std::string& mode, Faults& faults)
{
    if (mode == "silent") faults.silent = true;
    else if (mode == "late") faults.late = true;
    else if (mode == "split") faults.split = true;
    else if (mode == "noise") faults.noise = true;
    else if (mode == "chatty") faults.chatty = true;
    else if (mode == "burst") faults.burst = true;
    else if (mode == "straddle") faults.straddle = true;
    else if (const std::string name = mode.substr(0, mode.find(':')); name == "hangup-after" || name == "replug-after")
        return parseHangup(name, name.size() < mode.size() ? mode.substr(name.size() + 1) : std::string(), faults);
    else return "unknown fault mode '" + mode + "' (see --help)";
    return {};
}

std::string applyValue(const std::string& name, const std::string& value, SimOptions& options)
{
    if (name == "--link" || name == "--log" || name == "--reply-log") {
        if (value.empty())
            return name + " needs a non-empty path";
        (name == "--link" ? options.link : name == "--log" ? options.logPath : options.replyLogPath) = value;
        return {};
    }
    if (name == "--seed") {
        options.seed = parseSeed(value);
        return options.seed ? std::string() : "--seed needs a whole number 0..18446744073709551615, got '" + value + "'";
    }
    if (name == "--constant")
        return parseConstant(value, options);
    if (name == "--event-after") {
        options.eventAfter = parseSeconds(value);
        return options.eventAfter ? std::string() : "--event-after needs seconds, e.g. 45 or 45.5, got '" + value + "'";
    }
    return parseFault(value, options.faults);
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    SimOptions& options = parsed.options;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name == "--help" || name == "-h" || name == "--quiet") {
            if (equals != std::string::npos)
                parsed.error = name + " takes no value";
            else
                (name == "--quiet" ? options.quiet : options.help) = true;
        } else if (name == "--link" || name == "--log" || name == "--reply-log" || name == "--seed"
                   || name == "--constant" || name == "--event-after" || name == "--fault") {
            if (equals != std::string::npos)
                parsed.error = applyValue(name, arg.substr(equals + 1), options);
            else if (i + 1 < args.size())
                parsed.error = applyValue(name, args[++i], options);
            else
                parsed.error = name + " needs a value";
        } else if (arg.rfind("-", 0) == 0) {
            parsed.error = "unknown option '" + arg + "'";
        } else {
            parsed.error = "unexpected argument '" + arg + "'";
        }
    }
    if (parsed.error.empty() && options.constant && options.eventAfter)
        parsed.error = "--event-after is an event of the seismic signal and cannot be given with --constant";
    return parsed;
}

std::string usageText()
{
    return R"(Usage: kelvra-board-sim [OPTION]...
Stands in for the KELVRA converter board on a pseudo-terminal. Each received byte
"0".."3" is answered with the decimal reading of that channel (0..1023), without
a line end, paced like a 9600 baud line: as on a real line, the reply's first
character comes two character times (2.1 ms) after the request. Other bytes are
ignored.

  --link PATH          where to put the symlink to the board's serial device
                       (default /tmp/kelvra-board); a symlink already there is
                       replaced, any other kind of file makes the simulator refuse
  --seed N             seed of the simulated signal and of the faults' randomness,
                       0..18446744073709551615 (default: random, shown at start)
  --constant A,B,C,D   fixed readings of CH-1..CH-4 instead of the seismic signal;
                       any integers, sent as written even outside 0..1023
                       (e.g. --constant 0,1023,2046,-10)
  --event-after S      one strong local event S seconds after start (fractions
                       allowed, e.g. 45.5) instead of the random small ones, over
                       a steady hum of 4 counts at 2 to 3 Hz: an impulsive onset
                       on all four channels within 0.12 s and a 2.4 to 3.75 Hz
                       coda decaying by e every 2.5 s, 150 to 320 counts from
                       mid-scale, never near 0 or 1023. A 1 s / 30 s STA/LTA in
                       1..5 Hz rises to about 27 at it and stays below 3 elsewhere
  --fault MODE         misbehave like a real board or USB adapter; repeat the
                       option to combine modes:
                         silent            receive requests, never answer
                         late              answer each request 25 ms late
                         split             send each reply in two pieces 15 ms apart
                         noise             replace about 1 reply in 20 with random
                                           bytes, NUL and 0xFF among them
                         chatty            send unrequested readings between requests
                         burst             once, shortly after the first request,
                                           send 64 KiB of digits and line ends at
                                           full speed
                         straddle          hold about 1 reply in 4 whole and the
                                           second half of another 1 in 4 until the
                                           next request, then send the held bytes
                                           at once, as a USB adapter's latency
                                           timer does
                         hangup-after:S    after S seconds (fractions allowed, e.g.
                                           hangup-after:0.5) close the line as a
                                           pulled USB adapter does, removing the
                                           link, then idle until stopped
                         replug-after:S    as hangup-after:S, and a second later a
                                           new pseudo-terminal under the same link,
                                           as the adapter plugged in again
  --log FILE           write every received byte to FILE as it arrives, one line
                       each: monotonic seconds with microseconds, the byte in hex,
                       and the character in quotes when printable
  --reply-log FILE     write every reply to FILE when its request arrives, one
                       line each: monotonic seconds with microseconds, the
                       channel 0..3, the reading meant to be sent, and "noise"
                       when the noise fault sent random bytes instead
  --quiet              no start-up and status lines
  -h, --help           show this help and exit

Options take their value as "--name value" or "--name=value". Ctrl+C or SIGTERM
stops the simulator, which removes its symlink and exits with status 0.
)";
}

}  // namespace kelvra::boardsim
