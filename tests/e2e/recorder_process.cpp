#include "tests/e2e/recorder_process.h"

#include "tests/support/child_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>

#include <unistd.h>

namespace kelvra::e2e {
namespace {

constexpr int kPatienceMs = 10000;
constexpr qsizetype kReportLimit = 8000;

const char* const kSanitizerMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                                       "UndefinedBehaviorSanitizer"};

}  // namespace

RecorderProcess::~RecorderProcess()
{
    // A test that failed early may have failed because of what the sanitizers found.
    if (reportTaken_)
        stopAndReport();
    else if (const QString report = stopAndReport(); !report.isEmpty())
        qWarning().noquote() << "sanitizer report of the recorder:\n" << report;
}

bool RecorderProcess::start(const QString& port, Platform platform, const QStringList& extra)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       platform == Platform::Xcb ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    // The user's own settings file has no say in a test.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome_.path());
    environment.insert(environment_);
    process_.setProcessEnvironment(environment);
    test::endWithThisProcess(process_);
    process_.setProgram(QStringLiteral(KELVRA_PROGRAM));
    QStringList arguments = port.isEmpty() ? QStringList() : QStringList{"--port", port};
    if (!extra.contains(QStringLiteral("--no-archive")))
        arguments << "--archive" << archiveFolder();
    process_.setArguments(arguments + extra);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start();
    return process_.waitForStarted(kPatienceMs);
}

double RecorderProcess::cpuSeconds() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid()));
    if (!isRunning() || !stat.open(QIODevice::ReadOnly))
        return -1.0;
    // The command name may hold blanks; the fields after it are fixed: utime and stime are
    // the 12th and 13th after the closing parenthesis.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1.0;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool RecorderProcess::sendSignal(int number) const
{
    return isRunning() && ::kill(static_cast<pid_t>(pid()), number) == 0;
}

bool RecorderProcess::waitForExit(int withinMs)
{
    return QTest::qWaitFor([this] { return !isRunning(); }, withinMs);
}

QString RecorderProcess::errorOutput()
{
    errorOutput_ += QString::fromLocal8Bit(process_.readAllStandardError());
    return errorOutput_;
}

bool RecorderProcess::waitForErrorOutput(const QString& text, int withinMs)
{
    return QTest::qWaitFor([&] { return errorOutput().contains(text); }, withinMs);
}

QString RecorderProcess::stopAndReport()
{
    reportTaken_ = true;
    if (isRunning()) {
        process_.terminate();
        if (!process_.waitForFinished(kPatienceMs))
            process_.kill();
    }
    process_.waitForFinished(kPatienceMs);
    const QString text = errorOutput();
    qsizetype first = -1;
    for (const char* mark : kSanitizerMarks) {
        const qsizetype at = text.indexOf(QLatin1String(mark));
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first < 0 ? QString() : text.mid(first, kReportLimit);
}

double cpuPercentOver(const RecorderProcess& recorder, int ms)
{
    const double before = recorder.cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(ms);
    const double after = recorder.cpuSeconds();
    if (before < 0 || after < 0)
        return -1.0;
    return 100.0 * (after - before) / (static_cast<double>(wall.elapsed()) / 1000.0);
}

}  // namespace kelvra::e2e
