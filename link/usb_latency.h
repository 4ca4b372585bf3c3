#pragma once

#include <QString>

#include <optional>

namespace kelvra {

// A USB serial adapter that holds received bytes longer than this can push a reply past the
// next 20 ms tick.
constexpr int kLatencyTimerLimitMs = 4;

// The latency timer of the USB serial adapter behind `device` (Linux sysfs latency_timer, as
// FTDI adapters have it), in ms; none where the device has no such setting.
struct LatencyTimer {
    QString sysfsPath;
    int milliseconds = 0;
};
std::optional<LatencyTimer> readLatencyTimer(const QString& device, const QString& sysfsRoot = QStringLiteral("/sys"));

// The notice for a latency timer above the limit, with the fix; none when it is low enough or unknown.
std::optional<QString> latencyNotice(const QString& device, const QString& sysfsRoot = QStringLiteral("/sys"));

}  // namespace kelvra
