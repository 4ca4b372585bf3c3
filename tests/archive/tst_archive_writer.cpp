#include "archive/archive_writer.h"
#include "archive/sds_layout.h"
#include "tests/archive/mseed_readback.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <thread>

#include <cerrno>
#include <cstddef>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>

using namespace kelvra::archive;
using kelvra::test::readWithLibmseed;

namespace {

constexpr std::int64_t kPeriodNs = 80'000'000;
constexpr std::int64_t kToleranceUs = 40'000;

std::int64_t utcNs(const QDateTime& time) { return time.toMSecsSinceEpoch() * 1'000'000; }

struct Rig {
    QTemporaryDir dir;
    StationCodes codes;
    QStringList problems;
    QStringList recoveries;
    QStringList notes;
    std::optional<int> keepDays;

    ArchiveWriter writer(std::size_t heldPerChannel = kHeldSamplesPerChannel)
    {
        return ArchiveWriter(dir.path(), codes, keepDays,
                             {[this](const QString& text) { problems << text; },
                              [this](const QString& text) { recoveries << text; },
                              [this](const QString& text) { notes << text; }},
                             heldPerChannel);
    }
    QString dayFile(int channel, QDate day) const
    {
        return SdsLayout(dir.path()).dayFile(codes, codes.channels.at(static_cast<std::size_t>(channel)), day);
    }
};

// Samples of channel 0 at the given times, counts 1, 2, 3...
std::vector<Sample> samplesAt(const std::vector<std::int64_t>& times, std::int32_t firstCount = 1)
{
    std::vector<Sample> samples;
    for (std::int64_t time : times)
        samples.push_back({0, firstCount++, time});
    return samples;
}

std::vector<std::int64_t> regularTimes(std::int64_t start, int count, std::int64_t periodNs = kPeriodNs)
{
    std::vector<std::int64_t> times;
    for (int i = 0; i < count; ++i)
        times.push_back(start + i * periodNs);
    return times;
}

// From here on, on the calling thread only, fdatasync fails with EIO as on a dying disk.
bool failSyncsOnThisThread()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fdatasync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}  // namespace

class TstArchiveWriter : public QObject {
    Q_OBJECT
private slots:
    // Each sample comes back with its value, within half a sample period of its time, on its
    // UTC day; a new record starts wherever keeping the schedule would break that.
    void keepsEverySampleNearItsTime_data()
    {
        QTest::addColumn<std::vector<std::int64_t>>("times");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("clockSteps");
        const std::int64_t noon = utcNs(QDateTime(QDate(2025, 3, 1), QTime(12, 0), Qt::UTC));
        QTest::newRow("steady") << regularTimes(noon, 300) << 1 << 0;
        QTest::newRow("39 ms late stays") << [&] {
            auto t = regularTimes(noon, 20);
            t[10] += 39'000'000;
            return t;
        }() << 1 << 0;
        std::vector<std::int64_t> lateTick = regularTimes(noon, 20);
        for (std::size_t i = 10; i < lateTick.size(); ++i)
            lateTick[i] += 41'000'000;
        QTest::newRow("41 ms late splits") << lateTick << 2 << 0;
        // 5 ms slow per sample: each step alone is tolerable, the ninth adds up to 45 ms.
        QTest::newRow("slow drift") << regularTimes(noon, 40, kPeriodNs + 5'000'000) << 5 << 0;
        const std::int64_t beforeMidnight = utcNs(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59), Qt::UTC));
        QTest::newRow("midnight") << regularTimes(beforeMidnight, 30) << 2 << 0;
        QTest::newRow("clock stepped back") << [&] {
            auto t = regularTimes(noon, 20);
            for (std::size_t i = 10; i < t.size(); ++i)
                t[i] -= 3'000'000'000;
            return t;
        }() << 2 << 1;
        // Beyond the reach of the held samples' 32-bit times.
        QTest::newRow("clock stepped ten days ahead") << [&] {
            auto t = regularTimes(noon, 20);
            for (std::size_t i = 10; i < t.size(); ++i)
                t[i] += 10 * 86'400'000'000'000LL;
            return t;
        }() << 2 << 0;
    }
    void keepsEverySampleNearItsTime()
    {
        QFETCH(std::vector<std::int64_t>, times);
        QFETCH(int, records);
        QFETCH(int, clockSteps);
        Rig rig;
        {
            ArchiveWriter writer = rig.writer();
            writer.take(samplesAt(times), 0);
            writer.finish();
        }
        QVERIFY(rig.problems.isEmpty());
        QCOMPARE(rig.notes.size(), clockSteps);
        const QDate firstDay = QDateTime::fromMSecsSinceEpoch(times.front() / 1'000'000, Qt::UTC).date();
        const QDate lastDay = QDateTime::fromMSecsSinceEpoch(times.back() / 1'000'000, Qt::UTC).date();
        std::vector<kelvra::test::ReadSample> read;
        int recordCount = 0;
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
            const kelvra::test::ReadBack back = readWithLibmseed(rig.dayFile(0, day));
            QVERIFY(back.ok);
            const std::int64_t dayStartUs = QDateTime(day, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() * 1000;
            for (std::size_t r = 0; r < back.recordStartsUs.size(); ++r) {
                QCOMPARE(back.recordLengths[r], 512);
                QVERIFY(back.recordStartsUs[r] >= dayStartUs);
                QVERIFY(back.recordEndsUs[r] < dayStartUs + 86'400'000'000LL);
            }
            recordCount += static_cast<int>(back.recordStartsUs.size());
            read.insert(read.end(), back.samples.begin(), back.samples.end());
        }
        QCOMPARE(recordCount, records);
        QCOMPARE(read.size(), times.size());
        for (std::size_t i = 0; i < times.size(); ++i) {
            QCOMPARE(read[i].counts, static_cast<std::int32_t>(i + 1));
            QVERIFY2(std::abs(read[i].timeUs - times[i] / 1000) <= kToleranceUs, qPrintable(QString::number(i)));
        }
    }

    // A day file of an earlier run is continued: its records stay as they were, and a torn
    // record a killed run left at its end is cut off, once, so readers see what follows.
    void appendsToAnEarlierRunsDayFile_data()
    {
        QTest::addColumn<int>("tornBytes");
        QTest::newRow("whole records") << 0;
        QTest::newRow("torn tail") << 276;
    }
    void appendsToAnEarlierRunsDayFile()
    {
        QFETCH(int, tornBytes);
        Rig rig;
        const std::int64_t morning = utcNs(QDateTime(QDate(2025, 6, 1), QTime(8, 0), Qt::UTC));
        const QString path = rig.dayFile(0, QDate(2025, 6, 1));
        for (int run = 0; run < 2; ++run) {
            ArchiveWriter writer = rig.writer();
            writer.take(samplesAt(regularTimes(morning + run * 3'600'000'000'000LL, 50), 100 * run), 0);
            writer.finish();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (run == 0 && file.seek(file.size()))
                file.write(QByteArray(tornBytes, '\0'));
        }
        QCOMPARE(rig.notes.size(), tornBytes > 0 ? 1 : 0);
        const kelvra::test::ReadBack back = readWithLibmseed(path);
        QVERIFY(back.ok);
        QCOMPARE(back.samples.size(), std::size_t{100});
        QCOMPARE(back.samples.front().counts, 0);
        QCOMPARE(back.samples.back().counts, 149);
        QCOMPARE(back.recordSequenceNumbers, (std::vector<int>{1, 2}));
    }

    // Records are numbered 1, 2, 3... through their day file, a later run's following the earlier
    // run's, and from 1 again in the next day's file.
    void numbersRecordsThroughTheirDayFile()
    {
        Rig rig;
        const QDate day(2025, 6, 1);
        // Some 720 steady samples fill a record; the second run crosses midnight.
        for (const QTime start : {QTime(23, 0), QTime(23, 59)}) {
            ArchiveWriter writer = rig.writer();
            writer.take(samplesAt(regularTimes(utcNs(QDateTime(day, start, Qt::UTC)), 1500)), 0);
            writer.finish();
        }
        for (const QDate fileDay : {day, day.addDays(1)}) {
            const std::vector<int> numbers = readWithLibmseed(rig.dayFile(0, fileDay)).recordSequenceNumbers;
            QVERIFY(numbers.size() >= 2);
            for (std::size_t r = 0; r < numbers.size(); ++r)
                QCOMPARE(numbers[r], static_cast<int>(r + 1));
        }
    }

    // A folder that cannot be made, or a file size limit: one report, the samples kept in memory
    // and tried every few seconds, then written in order with one word of recovery; past the
    // bound the oldest go, and their number is told. Never part of a record.
    void keepsSamplesThroughAFault_data()
    {
        QTest::addColumn<bool>("fileSizeLimit");
        QTest::addColumn<int>("heldPerChannel");
        QTest::newRow("a file where the folder goes") << false << int(kHeldSamplesPerChannel);
        QTest::newRow("file size limit") << true << int(kHeldSamplesPerChannel);
        QTest::newRow("past the bound") << false << 100;
    }
    void keepsSamplesThroughAFault()
    {
        QFETCH(bool, fileSizeLimit);
        QFETCH(int, heldPerChannel);
        Rig rig;
        const QDate day(2025, 6, 1);
        const std::int64_t start = utcNs(QDateTime(day, QTime(8, 0), Qt::UTC));
        const QString stationFolder = SdsLayout(rig.dir.path()).stationYearFolder(rig.codes, day.year());
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto blocker = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &unlimited); });
        if (fileSizeLimit) {
            rlimit limited = unlimited;
            limited.rlim_cur = 512 + 100;  // room for one record and part of another
            setrlimit(RLIMIT_FSIZE, &limited);
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(stationFolder).path()));
            QFile blocking(stationFolder);
            QVERIFY(blocking.open(QIODevice::WriteOnly));
        }

        ArchiveWriter writer = rig.writer(std::size_t(heldPerChannel));
        std::int64_t ms = 0;
        std::int32_t counts = 0;
        // A second's worth of continuous samples per call, as the sink hands them over.
        auto secondOfSamples = [&] {
            writer.take(samplesAt(regularTimes(start + counts * kPeriodNs, 12), counts), ms);
            counts += 12;
            ms += 960;
        };
        while (rig.problems.isEmpty() || ms < 30000)
            secondOfSamples();
        if (fileSizeLimit)
            setrlimit(RLIMIT_FSIZE, &unlimited);
        else
            QVERIFY(QFile::remove(stationFolder));
        const std::int64_t fixedMs = ms;
        while (ms < fixedMs + kRetryMs + kPartialFlushMs)
            secondOfSamples();
        writer.finish();

        QCOMPARE(rig.problems.size(), 1);
        QCOMPARE(rig.recoveries.size(), 1);
        const QString path = rig.dayFile(0, day);
        QCOMPARE(QFileInfo(path).size() % 512, 0);
        const kelvra::test::ReadBack back = readWithLibmseed(path);
        QVERIFY(back.ok);
        // In order, the last one there, and whatever is missing one run of the oldest held.
        QVERIFY(!back.samples.empty());
        std::int32_t missing = back.samples.front().counts;
        for (std::size_t i = 1; i < back.samples.size(); ++i) {
            QVERIFY(back.samples[i].counts > back.samples[i - 1].counts);
            missing += back.samples[i].counts - back.samples[i - 1].counts - 1;
        }
        QCOMPARE(back.samples.size() + std::size_t(missing), std::size_t(counts));
        QCOMPARE(missing > 0, heldPerChannel < counts);
        QVERIFY2(rig.recoveries.front().contains(QStringLiteral("; %1 older").arg(missing)),
                 qPrintable(rig.recoveries.front()));
    }

    // The day file left at midnight is synced too: its failing fdatasync is a write fault.
    void reportsAFailingSyncAtMidnight()
    {
        Rig rig;
        const std::int64_t beforeMidnight = utcNs(QDateTime(QDate(2025, 6, 1), QTime(23, 59, 50), Qt::UTC));
        ArchiveWriter writer = rig.writer();
        writer.take(samplesAt(regularTimes(beforeMidnight, 100)), 0);
        bool failing = false;
        std::thread([&] {
            failing = failSyncsOnThisThread();
            writer.take(samplesAt(regularTimes(beforeMidnight + 100 * kPeriodNs, 100), 100), 1000);
        }).join();
        QVERIFY(failing);
        writer.take(samplesAt(regularTimes(beforeMidnight + 200 * kPeriodNs, 200), 200), 20000);
        writer.finish();
        QCOMPARE(rig.problems.size(), 1);
    }

    // A second recorder of the same station in the same folder keeps out of it.
    void refusesASecondWriterOfTheStation()
    {
        Rig rig;
        const std::int64_t start = utcNs(QDateTime(QDate(2025, 6, 1), QTime(8, 0), Qt::UTC));
        ArchiveWriter first = rig.writer();
        first.take(samplesAt(regularTimes(start, 10)), 0);
        ArchiveWriter second = rig.writer();
        second.take(samplesAt(regularTimes(start + 800'000'000, 10), 1000), 0);
        second.take(samplesAt(regularTimes(start + 1'600'000'000, 10), 2000), 61'000);
        first.finish();
        second.finish();
        QCOMPARE(rig.problems.size(), 1);
        QVERIFY(rig.problems.front().contains(QStringLiteral("XX.KELV.00")));
        const auto back = readWithLibmseed(rig.dayFile(0, QDate(2025, 6, 1)));
        QCOMPARE(back.samples.size(), std::size_t{10});
    }

    // --keep-days removes this station's day files of older days, nothing else; folders that
    // merely look like years are harmless.
    void retiresOldDayFiles()
    {
        Rig rig;
        rig.keepDays = 2;
        const QDate today(2025, 1, 2);
        StationCodes other;
        other.station = QStringLiteral("OTHER");
        const QString old = rig.dayFile(1, QDate(2024, 12, 30));
        const QString kept = rig.dayFile(1, QDate(2024, 12, 31));
        const QString otherStation =
            SdsLayout(rig.dir.path()).dayFile(other, QStringLiteral("SH1"), QDate(2024, 12, 1));
        for (const QString& path : {old, kept, otherStation}) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile(path).open(QIODevice::WriteOnly);
        }
        for (const char* notAYear : {"0", "00", "-0", "+0"})
            QVERIFY(QDir(rig.dir.path()).mkdir(notAYear));
        ArchiveWriter writer = rig.writer();
        writer.take(samplesAt({utcNs(QDateTime(today, QTime(10, 0), Qt::UTC))}), 0);
        writer.finish();
        QVERIFY(!QFileInfo::exists(old));
        QVERIFY(QFileInfo::exists(kept));
        QVERIFY(QFileInfo::exists(otherStation));
    }

    // A clock far ahead at start-up leaves the newest days that hold data; later, only a midnight
    // reached on a clock that kept pace with the monotonic one removes by the calendar.
    void retiresByTheCalendarOnlyOnAClockThatKeptPace_data()
    {
        QTest::addColumn<std::int64_t>("laterSteadyMs");
        QTest::addColumn<bool>("removedAtMidnight");
        QTest::newRow("kept pace") << std::int64_t{4000} << true;
        QTest::newRow("stepped over midnight") << std::int64_t{0} << false;
    }
    void retiresByTheCalendarOnlyOnAClockThatKeptPace()
    {
        QFETCH(std::int64_t, laterSteadyMs);
        QFETCH(bool, removedAtMidnight);
        Rig rig;
        rig.keepDays = 3;
        const QDate today(2025, 6, 10);
        for (int back = 0; back <= 4; ++back) {
            const QString path = rig.dayFile(1, today.addDays(-back));
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(512, 'x'));
        }
        const std::int64_t tenDaysAhead = utcNs(QDateTime(today.addDays(10), QTime(23, 59, 58), Qt::UTC));
        ArchiveWriter writer = rig.writer();
        writer.take(samplesAt({tenDaysAhead}), 0);
        QVERIFY(QFileInfo::exists(rig.dayFile(1, today.addDays(-2))));
        QVERIFY(!QFileInfo::exists(rig.dayFile(1, today.addDays(-3))));
        QVERIFY(rig.problems.isEmpty());
        writer.take(samplesAt({tenDaysAhead + 4'000'000'000}), laterSteadyMs);
        writer.finish();
        QCOMPARE(QFileInfo::exists(rig.dayFile(1, today)), !removedAtMidnight);
        // Three days at once are said.
        QCOMPARE(rig.problems.size(), removedAtMidnight ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TstArchiveWriter)
#include "tst_archive_writer.moc"
