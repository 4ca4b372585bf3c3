#include "tests/e2e/board_sim_process.h"

#include "tests/support/child_process.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace kelvra::e2e {
namespace {

constexpr int kPatienceMs = 10000;

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
    process_.setArguments(QStringList{"--link", link(), "--log", logPath()} + args);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    return process_.waitForStarted(kPatienceMs)
        && QTest::qWaitFor([this] { return QFileInfo(link()).isSymLink(); }, kPatienceMs);
}

QList<LoggedByte> BoardSimProcess::received() const
{
    QList<LoggedByte> bytes;
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return bytes;
    // Each line: "<seconds> <hex byte>[ '<char>']"; a line still being written has no end yet.
    for (const QByteArray& line : log.readAll().split('\n')) {
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
