#pragma once

#include "link/port_choice.h"
#include "link/serial_link.h"

#include <optional>

namespace kelvra {

// MSComm1 on a POSIX terminal device, polled: input() reads what is waiting and output() writes,
// both without waiting, and nothing else touches the device, so the line never wakes the process
// between the recorder's ticks. Exclusive use through flock (and TIOCEXCL against openers that do
// not lock), which leaves no lock file behind. The first read or write error closes the device,
// and every later input() or output() throws it.
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

private:
    void open();
    void close();
    void fail(const QString& description);
    void requireOpen() const;

    PortChoice choice_;
    int fd_ = -1;
    QString failure_;
};

}  // namespace kelvra
