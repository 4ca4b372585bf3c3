#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace kelvra::e2e {

// The built recorder as a user runs it, watched from outside.
class RecorderProcess {
public:
    // offscreen needs no X server but can answer no message box; xcb shows real windows.
    enum class Platform { Offscreen, Xcb };

    ~RecorderProcess();

    // Before start(), e.g. LANG, or QT_LOGGING_RULES "kelvra.readings.debug=true". XDG_CONFIG_HOME is an empty folder of its own unless set here.
    void setEnvironmentValue(const QString& name, const QString& value) { environment_.insert(name, value); }
    // An empty port gives no --port, for a settings file to name one. Its archive goes to a
    // folder of its own (archiveFolder()) unless `extra` says otherwise, and XDG_DATA_HOME
    // points into that folder too: a test never writes into the user's home.
    bool start(const QString& port, Platform platform, const QStringList& extra = {});
    QString archiveFolder() const { return home_.filePath(QStringLiteral("archive")); }
    qint64 pid() const { return process_.processId(); }
    bool isRunning() const { return process_.state() == QProcess::Running; }

    // User plus system time of the whole process so far, in seconds; negative once it is gone.
    double cpuSeconds() const;

    // As kill(1) or a session ending would; true when it was delivered.
    bool sendSignal(int number) const;
    bool waitForExit(int withinMs);
    bool exitedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    int exitCode() const { return process_.exitCode(); }

    QString errorOutput();
    bool waitForErrorOutput(const QString& text, int withinMs);

    // Ends it if it still runs (SIGTERM, which it answers by closing the line; SIGKILL only if it
    // does not end within a generous deadline), then returns what the sanitizers reported on its standard error;
    // empty when they reported nothing or the build has none.
    QString stopAndReport();

private:
    QTemporaryDir home_;
    QProcess process_;
    QProcessEnvironment environment_;
    QTemporaryDir configHome_;
    QString errorOutput_;
    bool reportTaken_ = false;
};

// CPU use of the recorder over `ms` milliseconds of wall time, in percent of one core; negative
// when it ended meanwhile.
double cpuPercentOver(const RecorderProcess& recorder, int ms);

}  // namespace kelvra::e2e

// Ends the recorder and fails the test with whatever the sanitizers reported about its run.
#define VERIFY_NO_SANITIZER_REPORT(recorder)                        \
    do {                                                            \
        const QString sanitizerReport = (recorder).stopAndReport(); \
        QVERIFY2(sanitizerReport.isEmpty(), qPrintable(sanitizerReport)); \
    } while (false)
