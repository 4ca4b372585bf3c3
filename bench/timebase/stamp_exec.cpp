// kelvra-bench-stamp FILE PROGRAM [ARG]...
// Writes the monotonic clock, in seconds with microseconds, to FILE and becomes PROGRAM: the
// moment a process starts, on the clock of the board simulator's byte log.

#include <cstdio>
#include <ctime>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FILE PROGRAM [ARG]...\n", argv[0]);
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "w");
    if (!file) {
        std::perror(argv[1]);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(file, "%lld.%06ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
    std::fclose(file);
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    return 127;
}
