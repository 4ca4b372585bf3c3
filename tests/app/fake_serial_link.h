#pragma once

#include "link/serial_link.h"

#include <QStringList>

namespace kelvra::test {

// A serial line that answers from a queue and remembers the requests.
class FakeSerialLink : public SerialLink {
public:
    QStringList replies;  // one per read; when empty, nothing has arrived
    QStringList written;
    bool failOpen = false;
    bool open = false;
    int closes = 0;

    void setCommPort(int) override {}
    void setSettings(const QString&) override {}
    void setPortOpen(bool isOpen) override
    {
        if (isOpen && failOpen)
            throw LinkError(deviceName(), QStringLiteral("Permission denied"));
        open = isOpen;
        closes += isOpen ? 0 : 1;
    }
    bool portOpen() const override { return open; }
    void setInputLen(int) override {}
    QString input() override { return replies.isEmpty() ? QString() : replies.takeFirst(); }
    void output(const QString& text) override { written << text; }
    QString deviceName() const override { return QStringLiteral("/dev/fake0"); }
};

}  // namespace kelvra::test
