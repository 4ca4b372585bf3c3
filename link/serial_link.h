#pragma once

#include <QString>
#include <stdexcept>

namespace kelvra {

// A failure of the serial line: the port cannot be opened or configured, or a read or write failed.
class LinkError : public std::runtime_error {
public:
    LinkError(const QString& device, const QString& description)
        : std::runtime_error(description.toStdString()), device_(device), description_(description) {}
    const QString& device() const { return device_; }
    const QString& description() const { return description_; }

private:
    QString device_;
    QString description_;
};

// The serial component MSComm1, with the operations the recorder asks of it.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    virtual void setCommPort(int port) = 0;              // CommPort
    virtual void setSettings(const QString& text) = 0;   // Settings, "baud,parity,data,stop"
    virtual void setPortOpen(bool open) = 0;             // PortOpen
    virtual bool portOpen() const = 0;
    virtual void setInputLen(int length) = 0;            // InputLen
    // Input: every character waiting, never waits. Throws LinkError once the line has failed.
    virtual QString input() = 0;
    // Output: queues the text and returns. Throws LinkError once the line has failed.
    virtual void output(const QString& text) = 0;
    // The device that CommPort (or an override) names.
    virtual QString deviceName() const = 0;
    // How many leading characters of the last input() had come in before the reply to the request
    // then outstanding could begin, so that they answer earlier requests. A link that cannot tell
    // says 0.
    virtual qsizetype inputBeforeReply() const { return 0; }
    // After the line failed: one try, without waiting, to open the same device again with the same
    // settings and the same exclusive use, as a pulled adapter that is plugged in again needs.
    // True once it is open.
    virtual bool reopen()
    {
        try {
            setPortOpen(true);
        } catch (const LinkError&) {
            return false;
        }
        return portOpen();
    }
};

}  // namespace kelvra

namespace kelvra {

// The request for a channel: its index as one decimal digit, no line end.
inline QString requestFor(int channelIndex) { return QString::number(channelIndex); }

}  // namespace kelvra
