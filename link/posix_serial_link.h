#pragma once

#include "link/arrival_watch.h"
#include "link/port_choice.h"
#include "link/serial_link.h"

#include <optional>

namespace kelvra {

// MSComm1 on a POSIX terminal device, polled: input() reads what is waiting and output() writes,
// both without waiting, and nothing else reads the device, so the line never wakes the recorder's
// thread between its ticks; an ArrivalWatch only counts what has come in shortly after each request. Exclusive use through flock (and TIOCEXCL against openers that do
// not lock), which leaves no lock file behind. The first read or write error closes the device,
// and every later input() or output() throws it until reopen() opens the device again.
class PosixSerialLink final : public SerialLink {
public:
    // A given device, even a blank one, replaces the one the port number names.
    explicit PosixSerialLink(std::optional<QString> deviceOverride = std::nullopt);
    ~PosixSerialLink() override;
    PosixSerialLink(const PosixSerialLink&) = delete;
    PosixSerialLink& operator=(const PosixSerialLink&) = delete;

    void setCommPort(int port) override;
    void setSettings(const QString& text) override;
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    void setInputLen(int length) override;
    QString input() override;
    void output(const QString& text) override;
    QString deviceName() const override;
    qsizetype inputBeforeReply() const override { return inputBeforeReply_; }
    bool reopen() override;

private:
    // Who holds a busy device is looked up in /proc, too slow for a try on the tick.
    enum class Holders { Named, Unnamed };
    void open(Holders holders = Holders::Named);
    void close();
    void fail(const QString& description);
    void requireOpen() const;

    PortChoice choice_;
    int fd_ = -1;
    QString failure_;
    ArrivalWatch arrivals_;
    qsizetype inputBeforeReply_ = 0;
};

}  // namespace kelvra
