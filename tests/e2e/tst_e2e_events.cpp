#include "archive/sds_layout.h"
#include "archive/station_codes.h"
#include "tests/archive/mseed_readback.h"
#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/support/child_process.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace kelvra::e2e;

namespace {

constexpr int kPatienceMs = 90000;
// A short long-term average keeps the run short, and the time a late tick on a loaded machine
// blinds the detector for; the board's event comes once it has filled.
const QStringList kDetector{"--detect-sta", "0.5", "--detect-lta", "5"};
const QString kEventAfter = QStringLiteral("20");
constexpr double kOneSampleSeconds = 0.080;

QStringList lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

double onsetSeconds(const QString& line)
{
    return QDateTime::fromString(line.section(u',', 0, 0), Qt::ISODateWithMs).toMSecsSinceEpoch() / 1000.0;
}

}  // namespace

class TstE2eEvents : public QObject {
    Q_OBJECT
private slots:
    // The board's one strong event is listed once, filed as miniSEED with all four channels,
    // and found again at the same onset by kelvra-events over the same archive.
    void anEventIsListedFiledAndFoundAgainOffline()
    {
        BoardSimProcess board;
        QVERIFY(board.start({"--quiet", "--event-after", kEventAfter}));
        RecorderProcess recorder;
        QVERIFY(recorder.start(board.link(), RecorderProcess::Platform::Offscreen, kDetector));
        const bool said = recorder.waitForErrorOutput(QStringLiteral("Event from"), kPatienceMs);
        QVERIFY(recorder.sendSignal(SIGTERM));
        QVERIFY(recorder.waitForExit(kPatienceMs));
        // What the archive took and left out tells why nothing was found.
        QVERIFY2(said, qPrintable(recorder.errorOutput()));
        QCOMPARE(recorder.exitCode(), 0);

        const kelvra::archive::StationCodes codes;
        const QDir events(QDir(recorder.archiveFolder()).filePath(QStringLiteral("events")));
        const QStringList listed = lines(events.filePath(kelvra::archive::SdsLayout::streamId(codes) + ".csv"));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0], QStringLiteral("onset_utc,end_utc,channels,peak_ratio,peak_counts"));
        QVERIFY2(listed[1].section(u',', 2, 2) == QStringLiteral("SHZ+SH1+SH2+SH3"), qPrintable(listed[1]));

        const QStringList files = events.entryList({QStringLiteral("*.mseed")}, QDir::Files);
        QCOMPARE(files.size(), 1);
        const auto back = kelvra::test::readWithLibmseed(events.filePath(files[0]));
        QVERIFY(back.ok);
        QVERIFY(!back.samples.empty());
        QVERIFY(back.samples.front().timeUs / 1e6 < onsetSeconds(listed[1]));

        QProcess offline;
        QTemporaryDir noSettings;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), noSettings.path());
        offline.setProcessEnvironment(environment);
        kelvra::test::endWithThisProcess(offline);
        offline.start(QStringLiteral(KELVRA_EVENTS),
                      QStringList{"--archive", recorder.archiveFolder(), "--last", "1", "--utc"} + kDetector);
        QVERIFY(offline.waitForFinished(kPatienceMs));
        QCOMPARE(offline.exitCode(), 0);
        const QStringList found = QString::fromUtf8(offline.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(found.size(), 2);
        QVERIFY2(std::abs(onsetSeconds(found[1]) - onsetSeconds(listed[1])) <= kOneSampleSeconds,
                 qPrintable(found[1] + u'\n' + listed[1]));
        VERIFY_NO_SANITIZER_REPORT(recorder);
    }
};

QTEST_GUILESS_MAIN(TstE2eEvents)
#include "tst_e2e_events.moc"
