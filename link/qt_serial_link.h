#pragma once

#include "link/port_choice.h"
#include "link/serial_link.h"

#include <QSerialPort>

#include <optional>

namespace kelvra {

// MSComm1 over QSerialPort. Received bytes wait in the port's buffer until input(); the first
// read, write or resource error closes the port, and every later input() or output() throws it
// until reopen() opens the port again.
class QtSerialLink final : public SerialLink {
public:
    // A given device, even a blank one, replaces the one the port number names.
    explicit QtSerialLink(std::optional<QString> deviceOverride = std::nullopt);

    void setCommPort(int port) override;
    void setSettings(const QString& text) override;
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    void setInputLen(int length) override;
    QString input() override;
    void output(const QString& text) override;
    QString deviceName() const override;

private:
    void fail(const QString& description);
    void requireOpen() const;

    QSerialPort port_;
    PortChoice choice_;
    QString failure_;
};

}  // namespace kelvra
