#include "tests/e2e/board_sim_process.h"

#include "tests/support/child_process.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sched.h>

namespace kelvra::e2e {
namespace {

constexpr int kPatienceMs = 10000;

// The log's lines that have their end; a line still being written has none yet.
QList<QByteArray> endedLines(const QString& path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = log.readAll().split('\n');
    lines.removeLast();
    return lines;
}

}  // namespace

BoardSimProcess::~BoardSimProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(kPatienceMs))
            process_.kill();
        process_.waitForFinished(kPatienceMs);
    }
}

bool BoardSimProcess::start(const QStringList& args)
{
    if (!dir_.isValid())
        return false;
    test::endWithThisProcess(process_);
    process_.setProgram(QStringLiteral(KELVRA_BOARD_SIM));
    process_.setArguments(QStringList{"--link", link(), "--log", logPath(), "--reply-log", replyLogPath()} + args);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(kPatienceMs))
        return false;
    // A board's line keeps its timing however busy the computer is; so does the simulated one
    // where the system allows real-time priority (as root): a loaded machine then delays the
    // recorder, as it would, but not the board.
    const sched_param priority{sched_get_priority_min(SCHED_FIFO)};
    ::sched_setscheduler(static_cast<pid_t>(process_.processId()), SCHED_FIFO, &priority);
    return QTest::qWaitFor([this] { return QFileInfo(link()).isSymLink(); }, kPatienceMs);
}

QList<LoggedByte> BoardSimProcess::received() const
{
    QList<LoggedByte> bytes;
    // Each line: "<seconds> <hex byte>[ '<char>']".
    for (const QByteArray& line : endedLines(logPath())) {
        const QList<QByteArray> fields = line.split(' ');
        bool timeOk = false;
        bool byteOk = false;
        const double seconds = fields.value(0).toDouble(&timeOk);
        const uint byte = fields.value(1).toUInt(&byteOk, 16);
        if (timeOk && byteOk && fields.value(1).size() == 2)
            bytes.append({seconds, static_cast<char>(byte)});
    }
    return bytes;
}

QList<SentReply> BoardSimProcess::replies() const
{
    QList<SentReply> replies;
    // Each line: "<seconds> <channel> <reading>[ noise]".
    for (const QByteArray& line : endedLines(replyLogPath())) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 3)
            replies.append({fields[0].toDouble(), fields[1].toInt(), fields[2], fields.value(3) == "noise"});
    }
    return replies;
}

bool BoardSimProcess::waitForReceived(qsizetype count, int withinMs) const
{
    return QTest::qWaitFor([&] { return received().size() >= count; }, withinMs);
}

QString BoardSimProcess::output()
{
    output_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
    return output_;
}

bool BoardSimProcess::waitForLastStatus(const QString& text, int withinMs)
{
    return QTest::qWaitFor(
        [&] {
            const QStringList lines = output().split(u'\n', Qt::SkipEmptyParts);
            return !lines.isEmpty() && lines.last().contains(text);
        },
        withinMs);
}

}  // namespace kelvra::e2e
