#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kelvra::e2e {

// One byte the board received, with the simulator's monotonic clock in seconds.
struct LoggedByte {
    double seconds;
    char byte;
};

// A reply the board meant to send, logged when its request arrived.
struct SentReply {
    double seconds;
    int channel;
    QByteArray reading;
    // The noise fault sent random bytes instead.
    bool noise;
};

// The built board simulator on its own pseudo-terminal, in a folder of its own so that tests can
// run side by side, logging every byte it receives and every reply it sends.
class BoardSimProcess {
public:
    ~BoardSimProcess();

    // Starts it with `args` added to the link and log options; true once the link exists.
    bool start(const QStringList& args);

    QString link() const { return dir_.filePath(QStringLiteral("board")); }
    QString folder() const { return dir_.path(); }

    QList<LoggedByte> received() const;
    bool waitForReceived(qsizetype count, int withinMs) const;
    QList<SentReply> replies() const;

    // Its status lines so far; the last one tells whether anybody has the line open.
    QString output();
    bool waitForLastStatus(const QString& text, int withinMs);

private:
    QString logPath() const { return dir_.filePath(QStringLiteral("received.log")); }
    QString replyLogPath() const { return dir_.filePath(QStringLiteral("replies.log")); }

    QTemporaryDir dir_;
    QProcess process_;
    QString output_;
};

}  // namespace kelvra::e2e
