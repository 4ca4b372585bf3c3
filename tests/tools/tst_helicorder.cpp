#include "archive/sds_layout.h"
#include "tests/tools/helicorder/archive_writer.h"
#include "tools/helicorder/archive_reader.h"
#include "tools/helicorder/drum_geometry.h"
#include "tools/helicorder/drum_painter.h"
#include "tools/helicorder/drum_trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <ctime>
#include <sys/stat.h>

using namespace kelvra::helicorder;

namespace {

constexpr int kQuiet = 500;
// Far beyond any scale the tests set: it must clip.
constexpr int kBurst = 4000;
constexpr double kLoudRange = 1000.0;
// One bad sample, as a glitch on the line can store.
constexpr int kOutlier = 5510519;

struct Hole {
    QDateTime from;
    QDateTime to;
};

// An archive in a temporary folder with a quiet channel of known stretch, a two-second burst at
// each given moment, one wild sample at each outlier and holes where nothing was recorded.
class DayRig {
public:
    explicit DayRig(const QDateTime& from, const QDateTime& to, const QList<QDateTime>& bursts,
                    const QList<Hole>& holes = {}, const QList<QDateTime>& outliers = {}, int periodMs = 80)
        : periodMs_(periodMs)
    {
        std::vector<std::int32_t> run;
        QDateTime runStart = from;
        const qint64 count = from.msecsTo(to) / periodMs;
        for (qint64 i = 0; i < count; ++i) {
            const QDateTime at = from.addMSecs(i * periodMs);
            const bool inHole = std::any_of(holes.begin(), holes.end(),
                                            [&](const Hole& h) { return at >= h.from && at < h.to; });
            if (inHole) {
                flush(runStart, run);
                runStart = at.addMSecs(periodMs);
                continue;
            }
            const bool inBurst = std::any_of(bursts.begin(), bursts.end(), [&](const QDateTime& b) {
                return at >= b && at < b.addSecs(2);
            });
            run.push_back(outliers.contains(at) ? kOutlier
                          : inBurst             ? (i % 2 ? kBurst : -kBurst)
                                                : kQuiet + int((i * 7919) % 7) - 3);
        }
        flush(runStart, run);
    }

    // Appends a burst of another stream, as other sources may mix into one file, to SHZ's day file.
    void mixInBurstOf(const QString& channel, const QDateTime& at)
    {
        std::vector<std::int32_t> burst(25);
        for (std::size_t i = 0; i < burst.size(); ++i)
            burst[i] = i % 2 ? kBurst : -kBurst;
        QVERIFY(kelvra::testing::appendSamples(root(), {}, channel, at, burst));
        QFile stranger(kelvra::archive::SdsLayout(root()).dayFile({}, channel, at.date()));
        QFile day(dayFile(at.date()));
        QVERIFY(stranger.open(QIODevice::ReadOnly) && day.open(QIODevice::Append));
        day.write(stranger.readAll());
    }

    QString root() const { return dir_.path(); }
    QString dayFile(QDate utcDay) const
    {
        return kelvra::archive::SdsLayout(root()).dayFile({}, QStringLiteral("SHZ"), utcDay);
    }

    DrumTrace read(const DrumSpan& span, ReadReport* report = nullptr) const
    {
        DrumTrace trace(span, kPlotColumns);
        const ReadReport got = readChannel(root(), {}, QStringLiteral("SHZ"), span, trace);
        trace.finish();
        if (report)
            *report = got;
        return trace;
    }

private:
    void flush(const QDateTime& start, std::vector<std::int32_t>& run)
    {
        QVERIFY(run.empty()
                || kelvra::testing::appendSamples(root(), {}, QStringLiteral("SHZ"), start, run, nullptr,
                                                  1000.0 / periodMs_));
        run.clear();
    }

    int periodMs_;
    QTemporaryDir dir_;
};

struct Run {
    int exitCode = -1;
    bool crashed = true;
    QString errors;
};

// configHome holds kelvra/kelvra.conf, if any; the user's own settings have no say in a test.
Run runHelicorder(const QStringList& args, const QByteArray& tz = "UTC", const QString& configHome = QString())
{
    const QTemporaryDir emptyConfig;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QString::fromLatin1(tz));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.isEmpty() ? emptyConfig.path() : configHome);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KELVRA_HELICORDER), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitCode(), process.exitStatus() != QProcess::NormalExit,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The first column of each burst, as "line:column".
QStringList loudCells(const DrumTrace& trace)
{
    QStringList cells;
    for (int line = 0; line < trace.lines(); ++line)
        for (int column = 0; column < trace.columns(); ++column) {
            const bool loud = trace.hasData(line, column) && trace.high(line, column) - trace.low(line, column) > kLoudRange;
            const bool loudBefore = column > 0 && trace.hasData(line, column - 1)
                                    && trace.high(line, column - 1) - trace.low(line, column - 1) > kLoudRange;
            if (loud && !loudBefore)
                cells.append(QStringLiteral("%1:%2").arg(line).arg(column));
        }
    return cells;
}

QDateTime utc(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

// The program's page of 10 March 2026 in UTC at 30 counts a line spacing; null if none was drawn.
QImage drawDay(const DayRig& rig)
{
    const QTemporaryDir out;
    const QString png = out.filePath("day.png");
    const Run run = runHelicorder({"--archive", rig.root(), "--day", "2026-03-10", "--utc", "--scale", "30", "-o", png});
    return run.exitCode == 0 ? QImage(png) : QImage();
}

// Ink within a quarter spacing of the line: where a quiet trace at that scale runs, and where one
// pushed off its baseline to the clip does not.
bool inkedOnLine(const QImage& page, const DrumGeometry& geometry, int line, int column)
{
    const int reach = int(geometry.spacing() / 4);
    for (int dy = -reach; dy <= reach; ++dy)
        if (page.pixel(int(geometry.columnX(column)), int(geometry.lineY(line)) + dy) != kPaperColour)
            return true;
    return false;
}

}  // namespace

class TestHelicorder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Nine hours ahead of UTC and no daylight saving: local midnight is 15:00 UTC the day before.
        qputenv("TZ", "Asia/Tokyo");
        tzset();
    }

    void putsEachBurstOnItsLineAndColumn_data()
    {
        QTest::addColumn<int>("minutesPerLine");
        QTest::addColumn<bool>("local");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QStringList>("cells");
        // Bursts at 16:07:30 UTC on 10 March (01:07:30 on the 11th in Tokyo) and 02:03:45 UTC on
        // the 11th (11:03:45 in Tokyo): across a local and a UTC midnight, from two day files. An
        // SH1 burst at 20:00 UTC on the 10th, mixed into the same file, must not show.
        QTest::newRow("UTC day, 15 min") << 15 << false << QDate(2026, 3, 10) << QStringList{"64:800"};
        QTest::newRow("next UTC day") << 15 << false << QDate(2026, 3, 11) << QStringList{"8:400"};
        QTest::newRow("local day, both files") << 15 << true << QDate(2026, 3, 11) << QStringList{"4:800", "44:400"};
        QTest::newRow("local day, 30 min") << 30 << true << QDate(2026, 3, 11) << QStringList{"2:400", "22:200"};
        QTest::newRow("local day, 60 min") << 60 << true << QDate(2026, 3, 11) << QStringList{"1:200", "11:100"};
        QTest::newRow("local day before") << 15 << true << QDate(2026, 3, 10) << QStringList{};
        // Twelve hours up to 11:10 in Tokyo start at the line boundary 23:00 on the 10th.
        QTest::newRow("last 12 hours") << 15 << true << QDate() << QStringList{"8:800", "48:400"};
    }
    void putsEachBurstOnItsLineAndColumn()
    {
        QFETCH(int, minutesPerLine);
        QFETCH(bool, local);
        QFETCH(QDate, day);
        QFETCH(QStringList, cells);
        static const DayRig rig = [] {
            DayRig made(utc("2026-03-10T14:00:00Z"), utc("2026-03-11T03:00:00Z"),
                        {utc("2026-03-10T16:07:30Z"), utc("2026-03-11T02:03:45Z")});
            made.mixInBurstOf(QStringLiteral("SH1"), utc("2026-03-10T20:00:00Z"));
            return made;
        }();
        const Qt::TimeSpec labels = local ? Qt::LocalTime : Qt::UTC;
        const DrumTrace trace = rig.read(day.isValid() ? DrumSpan::day(day, labels, minutesPerLine)
                                                       : DrumSpan::lastHours(utc("2026-03-11T02:10:00Z"), 12, labels,
                                                                             minutesPerLine));
        QCOMPARE(loudCells(trace), cells);
    }

    // One page drawn by the program: a clipped burst stays in its band, a hole is left blank.
    void drawsThePage()
    {
        const QDateTime burst = utc("2026-03-10T06:07:30Z");
        const DayRig rig(utc("2026-03-10T05:00:00Z"), utc("2026-03-10T07:00:00Z"), {burst},
                         {{utc("2026-03-10T06:33:45Z"), utc("2026-03-10T06:37:30Z")}});
        QTemporaryDir out;
        const QString png = out.filePath("day.png");
        const Run run = runHelicorder({"--archive", rig.root(), "--day", "2026-03-10", "--utc", "--scale", "30",
                                       "-o", png});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.exitCode, 0);
        const QImage page(png);
        const DrumGeometry geometry(96, 30.0);
        QCOMPARE(page.size(), geometry.pageSize());
        const auto inked = [&](double x, double y) { return page.pixel(int(x), int(y)) != kPaperColour; };
        const double spacing = geometry.spacing();
        // The burst at 06:07:30 is line 24, column 800.
        const double x = geometry.columnX(800);
        const double line = geometry.lineY(24);
        QVERIFY(inked(x, line - 0.9 * spacing));
        QVERIFY(inked(x, line + 0.9 * spacing));
        QVERIFY(!inked(x, line - 1.5 * spacing));
        QVERIFY(!inked(x, line + 1.5 * spacing));
        // 06:33:45 to 06:37:30 is line 26, columns 400 to 799; the line is drawn on either side.
        const double holeLine = geometry.lineY(26);
        for (double y = holeLine - 0.5 * spacing; y <= holeLine + 0.5 * spacing; y += 1.0) {
            QVERIFY(!inked(geometry.columnX(410), y));
            QVERIFY(!inked(geometry.columnX(790), y));
        }
        const auto inkedNear = [&](int column, double y) {
            return inked(geometry.columnX(column), y - 1) || inked(geometry.columnX(column), y)
                   || inked(geometry.columnX(column), y + 1);
        };
        QVERIFY(inkedNear(390, holeLine));
        QVERIFY(inkedNear(810, holeLine));
        QVERIFY(inkedNear(1590, geometry.lineY(25)));

        const QString svg = out.filePath("day.svg");
        QCOMPARE(runHelicorder({"--archive", rig.root(), "--day", "2026-03-10", "--utc", "-o", svg}).exitCode, 0);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int polylines = 0;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
            polylines += xml.isStartElement() && xml.name() == QLatin1String("polyline");
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(polylines >= 8);
    }

    void keepsALineOnItsBaselinePastAnOutlier()
    {
        // 05:37:30 is line 22, column 800.
        const DayRig rig(utc("2026-03-10T05:00:00Z"), utc("2026-03-10T06:00:00Z"), {}, {},
                         {utc("2026-03-10T05:37:30Z")});
        const QImage page = drawDay(rig);
        QVERIFY(!page.isNull());
        const DrumGeometry geometry(96, 30.0);
        for (int column : {10, 400, 790, 810, 1590})
            QVERIFY2(inkedOnLine(page, geometry, 22, column), qPrintable(QString::number(column)));
    }

    // One sample a second at 15 minutes a line leaves columns between samples; a minute without
    // any is a gap.
    void joinsSlowSamplesButLeavesAGapBlank()
    {
        const DayRig rig(utc("2026-03-10T05:00:00Z"), utc("2026-03-10T06:00:00Z"), {},
                         {{utc("2026-03-10T05:20:00Z"), utc("2026-03-10T05:21:00Z")}}, {}, 1000);
        const QImage page = drawDay(rig);
        QVERIFY(!page.isNull());
        const DrumGeometry geometry(96, 30.0);
        // Lines 20 to 23, each run through from record to record; the gap is on line 21, and the
        // samples either side of it fall in columns 531 and 640.
        for (int line = 20; line < 24; ++line)
            for (int column = 1; column < 1598; ++column) {
                const QByteArray cell = QStringLiteral("%1:%2").arg(line).arg(column).toLatin1();
                if (line != 21 || column < 531 || column > 640)
                    QVERIFY2(inkedOnLine(page, geometry, line, column), cell);
                else if (column > 532 && column < 639)
                    QVERIFY2(!inkedOnLine(page, geometry, line, column), cell);
            }
    }

    // The station's list in the archive, or the one --events gives: the event in the page's span is
    // marked at its onset with the time on the page's clock, the one outside it is not, and a
    // malformed line is said with its number and passed over.
    void marksTheListedEventsInTheSpan_data()
    {
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<bool>("given");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("label");
        // 06:07:30.480 UTC: line 24, column 800 of the UTC day; 15:07:30 in Tokyo, line 60.
        QTest::newRow("UTC, the archive's list") << QByteArray("UTC") << false << 24 << "06:07:30 STA/LTA 28.6";
        QTest::newRow("local, --events") << QByteArray("Asia/Tokyo") << true << 60 << "15:07:30 STA/LTA 28.6";
    }
    void marksTheListedEventsInTheSpan()
    {
        QFETCH(QByteArray, tz);
        QFETCH(bool, given);
        QFETCH(int, line);
        QFETCH(QString, label);
        const DayRig rig(utc("2026-03-10T05:00:00Z"), utc("2026-03-10T07:00:00Z"), {utc("2026-03-10T06:07:30Z")});
        QTemporaryDir out;
        const QString list = given ? out.filePath("picked.csv") : rig.root() + "/events/XX.KELV.00.csv";
        QVERIFY(QDir().mkpath(QFileInfo(list).path()));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("onset_utc,end_utc,channels,peak_ratio,peak_counts\n"
                   "2026-03-10T06:20:00Z,2026-03-10T06:20:04.000Z,SHZ,9.10,40\n"
                   "2026-03-10T06:07:30.480Z,2026-03-10T06:07:36.120Z,SHZ+SH1,28.62,312\n"
                   "2026-03-11T02:00:00.000Z,2026-03-11T02:00:04.000Z,SH2,12.00,90\n");
        file.close();
        const QString svg = out.filePath("day.svg");
        QStringList args{"--archive", rig.root(), "--day", "2026-03-10", tz == "UTC" ? "--utc" : "--local",
                         "--scale", "30", "-o", svg};
        if (given)
            args << "--events" << list;
        const Run run = runHelicorder(args, tz);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.errors.count(u'\n') == 1 && run.errors.contains(list + ", line 2: onset_utc"), qPrintable(run.errors));

        QFile page(svg);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&page);
        const QString markColour = QColor(kMarkColour).name();
        QString groupStroke;
        QStringList ticks, labels;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("g"))
                groupStroke = xml.attributes().value("stroke").toString();
            else if (xml.name() == QLatin1String("polyline") && groupStroke == markColour)
                ticks << xml.attributes().value("points").toString().simplified();
            else if (xml.name() == QLatin1String("text") && xml.attributes().value("fill") == markColour)
                labels << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(labels, QStringList{label});
        QCOMPARE(ticks.size(), 1);
        const DrumGeometry geometry(96, 30.0);
        const QStringList ends = ticks[0].split(u' ');
        QCOMPARE(ends.size(), 2);
        for (const QString& point : ends) {
            QCOMPARE(point.section(u',', 0, 0).toDouble(), geometry.columnX(800));
            const double y = point.section(u',', 1, 1).toDouble();
            // Above the line, within its band; the page's numbers are rounded.
            QVERIFY2(y > geometry.lineY(line) - geometry.spacing() - 0.5 && y < geometry.lineY(line), qPrintable(ticks[0]));
        }
    }

    // A local day is 23 or 25 hours where the clocks change.
    void cutsALocalDayAtLocalMidnights_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("lines");
        QTest::newRow("clocks forward") << QDate(2026, 3, 29) << 92;
        QTest::newRow("clocks back") << QDate(2026, 10, 25) << 100;
    }
    void cutsALocalDayAtLocalMidnights()
    {
        QFETCH(QDate, day);
        QFETCH(int, lines);
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const auto backToTokyo = qScopeGuard([] {
            qputenv("TZ", "Asia/Tokyo");
            tzset();
        });
        const DrumSpan span = DrumSpan::day(day, Qt::LocalTime, 15);
        QCOMPARE(span.lineCount(), lines);
        QCOMPARE(span.at(span.endMicros()), QDateTime(day.addDays(1), QTime(0, 0)));
    }

    void refusesBadInputClearly_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("drawn");
        const QStringList day{"--day", "2026-03-10", "--utc"};
        QTest::newRow("missing day") << "" << QStringList{"--day", "2026-03-12", "--utc"} << 1 << "not found" << false;
        QTest::newRow("truncated") << "truncate" << day << 3 << "ends in a partial record" << true;
        QTest::newRow("flipped bit") << "flip" << day << 3
                                     << "damaged at byte 512 (no record header): bytes 512 to 1023 skipped" << true;
        QTest::newRow("raised sample count") << "count" << day << 3 << "it claims 5000 samples, more than" << true;
        QTest::newRow("no rate, 1960") << "rate nan" << day << 3 << "gives a sample rate of nan" << true;
        QTest::newRow("absurd rate, 1960") << "rate 1e-30" << day << 3 << "gives a sample rate of 1e-30" << true;
        QTest::newRow("day file a directory") << "directory" << day << 1 << "is a directory, not a day file" << false;
        QTest::newRow("day file a FIFO") << "fifo" << day << 1 << "is a FIFO, not a day file" << false;
        QTest::newRow("day file a link loop") << "loop" << day << 1 << "is a symbolic link loop" << false;
        QTest::newRow("picture a link to a FIFO") << "picture fifo" << day << 1 << "it is a FIFO, not a regular file"
                                                  << false;
        QTest::newRow("another format") << "text" << day << 1 << "is not a miniSEED file" << false;
        QTest::newRow("empty day file") << "empty" << day << 1 << "no samples of SHZ" << false;
        QTest::newRow("other channel") << "" << QStringList{"--day", "2026-03-10", "--utc", "--channel", "SH1"} << 1
                                       << "not found" << false;
        QTest::newRow("bad channel") << "" << QStringList{"--channel", "S-Z"} << 2 << "channel code \"S-Z\"" << false;
        QTest::newRow("bad lines") << "" << QStringList{"--minutes-per-line", "20"} << 2 << "not 15, 30 or 60" << false;
        QTest::newRow("day and last") << "" << QStringList{"--day", "2026-03-10", "--last", "3"} << 2
                                      << "cannot be given together" << false;
        QTest::newRow("last nan") << "" << QStringList{"--last", "nan"} << 2 << "--last \"nan\"" << false;
        QTest::newRow("scale inf") << "" << QStringList{"--scale", "inf"} << 2 << "--scale \"inf\"" << false;
        QTest::newRow("unknown option") << "" << QStringList{"--speed", "3"} << 2 << "speed" << false;
        QTest::newRow("unwritable picture") << "unwritable" << day << 1 << "cannot write" << false;
        // The file's folder loses to --archive; its station and first channel are looked for.
        QTest::newRow("defaults from the settings file")
            << "archive=/nowhere\nstation=JP.OTHER\nchannels=EHZ,EHN,EHE,BDF\n" << day << 1
            << "/2026/JP/OTHER/EHZ.D/JP.OTHER..EHZ.D.2026.069 not found" << false;
        QTest::newRow("bad settings file") << "station=JP.TOOLONG\n" << day << 2 << "kelvra.conf: station=JP.TOOLONG"
                                           << false;
    }
    void refusesBadInputClearly()
    {
        QFETCH(QString, damage);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(bool, drawn);
        const DayRig rig(utc("2026-03-10T05:00:00Z"), utc("2026-03-10T06:00:00Z"), {});
        QFile file(rig.dayFile(QDate(2026, 3, 10)));
        if (damage == "truncate") {
            QVERIFY(file.resize(file.size() - 100));
        } else if (damage == "flip") {
            // The second record's data quality indicator, 'D', becomes 'E'.
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(512 + 6));
            file.write("E");
        } else if (damage == "count" || damage.startsWith("rate")) {
            const bool count = damage == "count";
            QByteArray record = kelvra::testing::int32Record(
                "SHZ", utc(count ? "2026-03-10T06:00:00Z" : "1960-03-01T00:00:00Z"),
                std::vector<std::int32_t>(10, kQuiet), count ? float(kelvra::testing::kArchiveRate) : damage.mid(5).toFloat());
            if (count)
                record.replace(30, 2, QByteArray::fromHex("1388"));
            QVERIFY(file.open(QIODevice::Append));
            file.write(record);
        } else if (damage == "directory" || damage == "fifo" || damage == "loop") {
            const QString path = file.fileName();
            QVERIFY(file.remove());
            QVERIFY(damage == "directory" ? QDir().mkdir(path)
                    : damage == "fifo"    ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                                          : QFile::link(path, path));
        } else if (damage == "text" || damage == "empty") {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(damage == "text" ? QByteArray("station,time,counts\nKELV,2026-03-10T05:00:00,512\n") : "");
        }
        file.close();
        QTemporaryDir config;
        if (damage.contains(u'=')) {
            QVERIFY(QDir(config.path()).mkpath(QStringLiteral("kelvra")));
            QFile settings(config.filePath(QStringLiteral("kelvra/kelvra.conf")));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write(damage.toUtf8());
        }
        QTemporaryDir out;
        const QString png = damage == "unwritable" ? out.filePath("missing/day.png") : out.filePath("day.png");
        if (damage == "picture fifo")
            QVERIFY(mkfifo(QFile::encodeName(out.filePath("pipe")).constData(), 0600) == 0
                    && QFile::link(out.filePath("pipe"), png));
        const Run run = runHelicorder(QStringList{"--archive", rig.root(), "-o", png} + args, "UTC", config.path());
        QVERIFY(!run.crashed);
        QCOMPARE(run.exitCode, exitCode);
        const QString firstLine = run.errors.section(u'\n', 0, 0);
        QVERIFY2(firstLine.startsWith("kelvra-helicorder: ") && firstLine.contains(message), qPrintable(run.errors));
        QCOMPARE(QFileInfo(png).isFile(), drawn);
    }
};

QTEST_MAIN(TestHelicorder)
#include "tst_helicorder.moc"
