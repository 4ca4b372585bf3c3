// Writes days of the board simulator's seismic signal into an archive folder, as the recorder's
// archive would hold them, for the helicorder's benchmark and pictures:
//   kelvra-bench-helicorder-day ROOT FIRST_UTC_DAY DAYS [SEED]
// Each day has two outages, ten minutes at 03:20 UTC and one minute at 17:02, so gaps show.
#include "tests/tools/helicorder/archive_writer.h"
#include "tools/board_sim/signal_model.h"

#include <QCoreApplication>
#include <QDate>

#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QDate first = QDate::fromString(args.value(2), Qt::ISODate);
    const int days = args.value(3).toInt();
    if (args.size() < 4 || !first.isValid() || days < 1) {
        std::fputs("usage: kelvra-bench-helicorder-day ROOT FIRST_UTC_DAY DAYS [SEED]\n", stderr);
        return 2;
    }
    kelvra::boardsim::SeismicSignal signal(args.value(4, QStringLiteral("1")).toULongLong());
    const QDateTime start(first, QTime(0, 0), Qt::UTC);
    const double end = days * 86400.0;
    const QList<std::pair<double, double>> outages{{3 * 3600 + 20 * 60, 600}, {17 * 3600 + 2 * 60, 60}};
    std::vector<std::int32_t> run;
    double runStart = 0.0;
    const auto flush = [&] {
        QString error;
        if (!run.empty()
            && !kelvra::testing::appendSamples(args[1], {}, QStringLiteral("SHZ"),
                                               start.addMSecs(qint64(runStart * 1000)), run, &error)) {
            std::fprintf(stderr, "cannot write: %s\n", qPrintable(error));
            std::exit(1);
        }
        run.clear();
    };
    for (qint64 i = 0; i / kelvra::testing::kArchiveRate < end; ++i) {
        const double seconds = i / kelvra::testing::kArchiveRate;
        const double ofDay = seconds - 86400.0 * std::floor(seconds / 86400.0);
        bool out = false;
        for (const auto& [from, length] : outages)
            out = out || (ofDay >= from && ofDay < from + length);
        if (out) {
            flush();
            runStart = seconds + 1.0 / kelvra::testing::kArchiveRate;
            continue;
        }
        run.push_back(std::int32_t(signal.reading(0, seconds)));
    }
    flush();
    return 0;
}
