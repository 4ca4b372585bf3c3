#include "archive/sds_layout.h"
#include "events/event_files.h"
#include "events/live_detection.h"
#include "recorder/constants.h"
#include "tests/archive/mseed_readback.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <mutex>
#include <random>

using namespace kelvra;

namespace {

constexpr std::int64_t kStartNs = 1'796'774'400'000'000'000;  // 2026-12-09T00:00:00Z
constexpr std::int64_t kPeriodNs = 80'000'000;
constexpr std::int64_t kTickNs = 20'000'000;

// The archive's samples of a quiet station with a strong local event at each of `eventsAtS`,
// handed over a second at a time as the archive's thread does.
void feed(events::LiveDetection& detection, double seconds, const QList<double>& eventsAtS)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 2.0);
    std::vector<archive::Sample> batch;
    for (std::int64_t n = 0; n * kPeriodNs < std::int64_t(seconds * 1e9); ++n) {
        const double t = double(n * kPeriodNs) / 1e9;
        for (int channel = 0; channel < kChannelCount; ++channel) {
            double counts = 512 + noise(random);
            for (const double at : eventsAtS)
                if (t >= at)
                    counts += 150 * std::exp(-(t - at) / 1.5) * std::sin(2 * M_PI * 3.0 * (t - at));
            batch.push_back({channel, std::int32_t(std::lround(counts)), kStartNs + n * kPeriodNs + channel * kTickNs});
        }
        if (batch.size() >= 50) {
            detection.take(batch);
            batch.clear();
        }
    }
    detection.take(batch);
}

// What the detection says; the command's failure is said from a thread of its own.
struct Heard {
    events::EventNotices notices()
    {
        return {[this](const QString& text) {
                    const std::lock_guard<std::mutex> lock(mutex);
                    notes << text;
                },
                [this](const QString&, const QString&) { ++shown; }};
    }
    int count(const QString& text)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return int(notes.filter(text).size());
    }
    std::mutex mutex;
    QStringList notes;
    int shown = 0;
};

QStringList linesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

}  // namespace

class TstLiveDetection : public QObject {
    Q_OBJECT
private slots:
    // Listed and said as it ends; a minute after its end its file holds the four channels from a
    // minute before the onset, and then the command runs with the event's fields and that file.
    void anEventIsListedFiledAndHandedToTheCommand()
    {
        QTemporaryDir root;
        archive::ArchiveSettings archive;
        archive.root = root.path();
        detector::DetectorSettings settings;
        const QString ran = root.filePath(QStringLiteral("ran.txt"));
        settings.onEvent = QStringLiteral("printf '%s\\n' \"$KELVRA_ONSET\" \"$KELVRA_CHANNELS\" \"$KELVRA_EVENT_FILE\" > ") + ran;
        Heard heard;
        events::LiveDetection detection(settings, archive, heard.notices());
        feed(detection, 160, {80});

        const QString stream = archive::SdsLayout::streamId(archive.codes);
        const QStringList listed = linesOf(root.filePath(QStringLiteral("events/") + stream + ".csv"));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[1].section(u',', 2, 2), QStringLiteral("SHZ+SH1+SH2+SH3"));
        QCOMPARE(heard.count(QStringLiteral("Event from")), 1);
        QCOMPARE(heard.shown, 1);

        QTRY_COMPARE_WITH_TIMEOUT(linesOf(ran).size(), 3, 30000);
        const QStringList fields = linesOf(ran);
        QCOMPARE(fields[0], listed[1].section(u',', 0, 0));
        QCOMPARE(fields[1], QStringLiteral("SHZ+SH1+SH2+SH3"));
        const auto back = test::readWithLibmseed(fields[2]);
        QVERIFY(back.ok);
        const std::int64_t onsetUs = QDateTime::fromString(fields[0], Qt::ISODateWithMs).toMSecsSinceEpoch() * 1000;
        const std::int64_t endUs = QDateTime::fromString(listed[1].section(u',', 1, 1), Qt::ISODateWithMs).toMSecsSinceEpoch() * 1000;
        const std::int64_t marginUs = events::kEventMarginNs / 1000;
        QVERIFY(std::abs(back.recordStartsUs.front() - (onsetUs - marginUs)) <= kPeriodNs / 1000);
        // Four channels, each from a minute before the onset to a minute after the end.
        const double expected = 4.0 * double(endUs - onsetUs + 2 * marginUs) / (kPeriodNs / 1000);
        QVERIFY2(std::abs(double(back.samples.size()) - expected) <= 8, qPrintable(QString::number(back.samples.size())));
        QCOMPARE(heard.count(QStringLiteral("failed")), 0);
    }

    // A list that cannot be written is said once, and the events are still said and shown.
    void aListThatCannotBeWrittenIsSaidOnce()
    {
        QTemporaryDir root;
        QFile blocker(root.filePath(QStringLiteral("events")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        archive::ArchiveSettings archive;
        archive.root = root.path();
        Heard heard;
        events::LiveDetection detection(detector::DetectorSettings(), archive, heard.notices());
        feed(detection, 200, {60, 130});
        QCOMPARE(heard.count(QStringLiteral("Event from")), 2);
        QCOMPARE(heard.shown, 2);
        QCOMPARE(heard.count(QStringLiteral("event list")), 1);
    }

    void aFailingCommandIsSaid()
    {
        QTemporaryDir root;
        archive::ArchiveSettings archive;
        archive.root = root.path();
        detector::DetectorSettings settings;
        settings.onEvent = QStringLiteral("exit 3");
        Heard heard;
        {
            events::LiveDetection detection(settings, archive, heard.notices());
            feed(detection, 60, {40});
            detection.finish();
        }
        QTRY_COMPARE_WITH_TIMEOUT(heard.count(QStringLiteral("status 3")), 1, 30000);
    }
};

QTEST_GUILESS_MAIN(TstLiveDetection)
#include "tst_live_detection.moc"
