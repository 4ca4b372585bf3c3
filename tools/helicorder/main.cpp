#include "archive/sds_layout.h"
#include "settings/settings_file.h"
#include "tools/common/file_kind.h"
#include "tools/helicorder/archive_reader.h"
#include "tools/helicorder/drum_geometry.h"
#include "tools/helicorder/drum_painter.h"
#include "tools/helicorder/drum_trace.h"
#include "tools/helicorder/event_list.h"
#include "tools/helicorder/event_marks.h"
#include "tools/helicorder/helicorder_options.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTimeZone>

#include <cmath>
#include <cstdio>
#include <exception>

namespace {

using namespace kelvra::helicorder;

// Exit statuses, also listed in the manual page.
constexpr int kDrawn = 0;
constexpr int kNotDrawn = 1;
constexpr int kBadCommandLine = 2;
// The picture was written, but part of the input could not be read (said on stderr).
constexpr int kDrawnWithoutDamagedParts = 3;

void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

void say(const QString& message)
{
    std::fprintf(stderr, "kelvra-helicorder: %s\n", qPrintable(message));
}

QString utcOffset(const QDateTime& at)
{
    const int minutes = at.offsetFromUtc() / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(QChar(minutes < 0 ? u'-' : u'+'))
        .arg(std::abs(minutes) / 60, 2, 10, QLatin1Char('0'))
        .arg(std::abs(minutes) % 60, 2, 10, QLatin1Char('0'));
}

PageText pageText(const HelicorderRequest& request, const DrumSpan& span, double scale)
{
    const auto& codes = request.codes;
    const QDateTime start = span.at(span.startMicros());
    const QString when = request.lastHours
                             ? QCoreApplication::translate("Helicorder", "%1 to %2")
                                   .arg(start.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                        span.at(span.endMicros()).toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                             : start.toString(QStringLiteral("yyyy-MM-dd"));
    const QString clock = request.labels == Qt::UTC
                              ? QStringLiteral("UTC")
                              : QCoreApplication::translate("Helicorder", "local time, %1 (%2)")
                                    .arg(QString::fromUtf8(QTimeZone::systemTimeZoneId()), utcOffset(start));
    const QString counts = scale == std::floor(scale) ? QString::number(scale, 'f', 0) : QString::number(scale, 'g', 4);
    const QString scaleText =
        request.scale ? QCoreApplication::translate("Helicorder", "scale %1 counts a line spacing").arg(counts)
                      : QCoreApplication::translate("Helicorder", "scale %1 counts a line spacing (auto)").arg(counts);
    return {kelvra::archive::SdsLayout::streamId(codes, request.channel) + QStringLiteral("   ") + when,
            QCoreApplication::translate("Helicorder", "%1 · %2 minutes a line · %3, clipped at one spacing")
                .arg(clock)
                .arg(span.minutesPerLine())
                .arg(scaleText)};
}

QString writePage(const HelicorderRequest& request, const DrumGeometry& geometry, const DrumTrace& trace,
                  const DrumSpan& span, const PageText& text, const std::vector<EventMark>& marks)
{
    QSaveFile file(request.output);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("Helicorder", "cannot write %1: %2").arg(request.output, file.errorString());
    if (request.format == PageFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(geometry.pageSize());
        svg.setViewBox(QRect(QPoint(0, 0), geometry.pageSize()));
        svg.setTitle(text.title);
        svg.setDescription(text.subtitle);
        QPainter painter(&svg);
        paintDrum(painter, geometry, trace, span, text, marks);
    } else {
        QImage image(geometry.pageSize(), QImage::Format_RGB32);
        QPainter painter(&image);
        paintDrum(painter, geometry, trace, span, text, marks);
        painter.end();
        if (!image.save(&file, "PNG"))
            return QCoreApplication::translate("Helicorder", "cannot write %1: %2").arg(request.output, file.errorString());
    }
    if (!file.commit())
        return QCoreApplication::translate("Helicorder", "cannot write %1: %2").arg(request.output, file.errorString());
    return {};
}

int draw(const HelicorderRequest& request)
{
    // QSaveFile follows a link and renames over what it leads to, which would replace a device.
    if (const QString what = kelvra::tools::notARegularFile(request.output); !what.isEmpty()) {
        say(QCoreApplication::translate("Helicorder", "will not write %1: it is %2, not a regular file")
                .arg(request.output, what));
        return kNotDrawn;
    }
    const DrumSpan span = request.span(QDateTime::currentDateTimeUtc());
    DrumTrace trace(span, kPlotColumns);
    const ReadReport report = readChannel(request.archiveRoot, request.codes, request.channel, span, trace);
    trace.finish();
    for (const QString& problem : report.problems)
        say(problem);
    if (report.filesRead.isEmpty()) {
        if (!report.filesMissing.isEmpty())
            say(QCoreApplication::translate("Helicorder", "no day file for this time in the archive: %1 not found")
                    .arg(report.filesMissing.join(QLatin1String(", "))));
        return kNotDrawn;
    }
    if (trace.sampleCount() == 0) {
        say(QCoreApplication::translate("Helicorder", "no samples of %1 for this time in %2")
                .arg(request.channel, report.filesRead.join(QLatin1String(", "))));
        return kNotDrawn;
    }
    // A missing list of the station's own is no fault: it has had no event yet, or detects none.
    const QString listPath = request.eventList.value_or(stationEventList(request.archiveRoot, request.codes));
    EventListRead events;
    if (request.eventList || QFileInfo::exists(listPath))
        events = readEventList(listPath);
    for (const QString& problem : events.problems)
        say(problem);
    const double scale = request.scale.value_or(autoScale(trace.backgroundDeviation()));
    const DrumGeometry geometry(span.lineCount(), scale);
    if (const QString error = writePage(request, geometry, trace, span, pageText(request, span, scale),
                                        eventMarks(events.events, span, trace));
        !error.isEmpty()) {
        say(error);
        return kNotDrawn;
    }
    return report.problems.isEmpty() && events.problems.isEmpty() ? kDrawn : kDrawnWithoutDamagedParts;
}

}  // namespace

int main(int argc, char* argv[])
{
    // A picture maker: never a window, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Setting that up notes things that concern desktop sessions only, such as no XDG_RUNTIME_DIR
    // under cron; left on stderr they would bury the program's own messages.
    const QtMessageHandler previousHandler = qInstallMessageHandler(ignoreMessage);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    QCoreApplication::setApplicationName(QStringLiteral("kelvra-helicorder"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVRA_VERSION));
    try {
        const ParsedRequest parsed = parseRequest(QCoreApplication::arguments(), kelvra::Settings::userFilePath());
        if (parsed.help) {
            std::fputs(qPrintable(parsed.helpText), stdout);
            return kDrawn;
        }
        if (parsed.version) {
            std::printf("kelvra-helicorder %s\n", KELVRA_VERSION);
            return kDrawn;
        }
        if (!parsed.error.isEmpty()) {
            say(parsed.error);
            say(QCoreApplication::translate("Helicorder", "try 'kelvra-helicorder --help'"));
            return kBadCommandLine;
        }
        return draw(parsed.request);
    } catch (const std::exception& e) {
        say(QString::fromLocal8Bit(e.what()));
        return kNotDrawn;
    }
}
