#include "link/usb_latency.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace kelvra {

std::optional<LatencyTimer> readLatencyTimer(const QString& device, const QString& sysfsRoot)
{
    // /dev/serial/by-id/... and other links lead to the kernel's name, which sysfs is keyed by.
    const QString resolved = QFileInfo(device).canonicalFilePath();
    const QString name = QFileInfo(resolved.isEmpty() ? device : resolved).fileName();
    if (name.isEmpty())
        return std::nullopt;
    const QString path = sysfsRoot + QStringLiteral("/class/tty/") + name + QStringLiteral("/device/latency_timer");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const int milliseconds = file.readAll().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return LatencyTimer{path, milliseconds};
}

std::optional<QString> latencyNotice(const QString& device, const QString& sysfsRoot)
{
    const std::optional<LatencyTimer> timer = readLatencyTimer(device, sysfsRoot);
    if (!timer || timer->milliseconds <= kLatencyTimerLimitMs)
        return std::nullopt;
    return QCoreApplication::translate(
               "kelvra::UsbLatency",
               "The USB serial adapter %1 passes on received bytes only every %2 ms (its latency timer), so "
               "replies to the 20 ms polls can arrive a tick late and show as \"通信エラー\". Unplug the "
               "adapter and plug it in again so that the udev rule of the kelvra package sets it to 1 ms, or "
               "set it now, until the adapter is next plugged in, with:\n"
               "  echo 1 | sudo tee %3")
        .arg(device, QString::number(timer->milliseconds), timer->sysfsPath);
}

}  // namespace kelvra
