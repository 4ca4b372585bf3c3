// kelvra-bench-ticker DEVICE SECONDS
// The bare minimum of the recorder's line traffic: one request byte "0".."3" every 20 ms by the
// monotonic clock, replies read and dropped. Run against the board simulator beside the recorder,
// its request periods show how much of the recorder's jitter the machine itself makes.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEVICE SECONDS\n", argv[0]);
        return 2;
    }
    const int fd = ::open(argv[1], O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (fd < 0 || ::tcgetattr(fd, &settings) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    ::cfmakeraw(&settings);
    ::tcsetattr(fd, TCSANOW, &settings);

    constexpr long kPeriodNs = 20'000'000;
    const long ticks = std::atol(argv[2]) * 50;
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    char replies[256];
    for (long n = 0; n < ticks; ++n) {
        next.tv_nsec += kPeriodNs;
        if (next.tv_nsec >= 1'000'000'000) {
            next.tv_nsec -= 1'000'000'000;
            ++next.tv_sec;
        }
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
        }
        while (::read(fd, replies, sizeof replies) > 0) {
        }
        const char request = static_cast<char>('0' + n % 4);
        if (::write(fd, &request, 1) != 1 && errno != EAGAIN) {
            std::perror("write");
            return 1;
        }
    }
    return 0;
}
