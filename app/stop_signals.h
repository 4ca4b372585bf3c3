#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace kelvra {

// Brings SIGTERM, SIGINT and SIGHUP into the event loop as `received`, so that being stopped from
// outside (kill, Ctrl+C in the terminal, the terminal going away, the session ending) ends the
// program through its ordinary exit instead of leaving the line locked. The handler only writes
// to a pipe; all the work happens on the event loop. A signal the program was started with
// ignored (nohup) stays ignored. After the first one the default actions return, so a second
// signal ends a program that cannot finish. One instance at a time.
class StopSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> kHandled{SIGTERM, SIGINT, SIGHUP};

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

signals:
    void received(int signalNumber);

private:
    void drain();
    void restoreDefaults();

    QSocketNotifier* notifier_ = nullptr;
    std::array<bool, kHandled.size()> installed_{};
};

}  // namespace kelvra
