#include "settings/settings_file.h"
#include "tools/events/event_search.h"
#include "tools/events/event_search_options.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

using namespace kelvra::eventsearch;

// Exit statuses, also listed in the manual page.
constexpr int kSearched = 0;
constexpr int kNotSearched = 1;
constexpr int kBadCommandLine = 2;
// The events were listed, but part of the input could not be read (said on stderr).
constexpr int kSearchedWithoutDamagedParts = 3;

void say(const QString& message)
{
    std::fprintf(stderr, "kelvra-events: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvra-events"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
    try {
        const ParsedRequest parsed = parseRequest(QCoreApplication::arguments(), kelvra::Settings::userFilePath());
        if (parsed.help) {
            std::fputs(qPrintable(parsed.helpText), stdout);
            return kSearched;
        }
        if (parsed.version) {
            std::printf("kelvra-events %s\n", KELVRA_VERSION);
            return kSearched;
        }
        if (!parsed.error.isEmpty()) {
            say(parsed.error);
            say(QCoreApplication::translate("Events", "try 'kelvra-events --help'"));
            return kBadCommandLine;
        }
        const SearchOutcome outcome = searchEvents(parsed.request, QDateTime::currentDateTimeUtc());
        for (const QString& problem : outcome.problems)
            say(problem);
        if (!outcome.failure.isEmpty()) {
            say(outcome.failure);
            return kNotSearched;
        }
        for (const QString& line : outcome.lines)
            std::printf("%s\n", qPrintable(line));
        return outcome.problems.isEmpty() ? kSearched : kSearchedWithoutDamagedParts;
    } catch (const std::exception& e) {
        say(QString::fromLocal8Bit(e.what()));
        return kNotSearched;
    }
}
