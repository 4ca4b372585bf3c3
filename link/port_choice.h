#pragma once

#include "link/line_settings.h"

#include <QString>

#include <optional>

namespace kelvra {

// What MSComm1 is told before it opens: the port number (port 1 is /dev/ttyS0) or a device that
// replaces it, the line settings, and how much one read may take. Values are checked as
// they are set; a refused one throws LinkError.
class PortChoice {
public:
    // A given device, even a blank one, replaces the one the port number names.
    explicit PortChoice(std::optional<QString> deviceOverride) : deviceOverride_(std::move(deviceOverride)) {}

    void setCommPort(int port);
    void setSettings(const QString& text);
    void setInputLen(int length);

    QString deviceName() const;
    // The device to open; a blank name is refused rather than taken for the first port.
    QString deviceToOpen() const;
    const LineSettings& settings() const { return settings_; }
    int inputLen() const { return inputLen_; }

private:
    std::optional<QString> deviceOverride_;
    int commPort_ = 1;
    LineSettings settings_;
    int inputLen_ = 0;
};

}  // namespace kelvra
