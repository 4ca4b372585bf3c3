#include "detector/messages.h"

#include "detector/detector_settings.h"
#include "recorder/constants.h"

#include <QCoreApplication>

namespace kelvra::detector::messages {
namespace {

QString number(double value) { return QString::number(value, 'g', 6); }

}  // namespace

QString notABand() { return QCoreApplication::translate("kelvra::Detector", "not LOW-HIGH in Hz with 0 < LOW < HIGH"); }

QString notSeconds() { return QCoreApplication::translate("kelvra::Detector", "not a number of seconds above 0, up to 86400"); }

QString notARatio() { return QCoreApplication::translate("kelvra::Detector", "not a ratio above 1"); }

QString notMinChannels() { return QCoreApplication::translate("kelvra::Detector", "not a whole number from 1 to %1").arg(kChannelCount); }

QString notAChannelCode(const QString& code)
{
    return QCoreApplication::translate("kelvra::Detector", "channel code \"%1\" is not 3 letters or digits").arg(code);
}

QString channelTwice(const QString& code) { return QCoreApplication::translate("kelvra::Detector", "channel code \"%1\" is given twice").arg(code); }

QString noCommand() { return QCoreApplication::translate("kelvra::Detector", "no command given"); }

QString bandAboveNyquist(double highHz, double sampleRateHz)
{
    return QCoreApplication::translate("kelvra::Detector", "the band's upper edge, %1 Hz, is not below half the sample rate of %2 Hz")
        .arg(number(highHz), number(sampleRateHz));
}

QString offNotBelowOn(double offRatio, double onRatio)
{
    return QCoreApplication::translate("kelvra::Detector", "the off ratio %1 is not below the on ratio %2").arg(number(offRatio), number(onRatio));
}

QString staNotShorter(double staSeconds, double ltaSeconds)
{
    return QCoreApplication::translate("kelvra::Detector", "the short-term average of %1 s is not shorter than the long-term one of %2 s")
        .arg(number(staSeconds), number(ltaSeconds));
}

QString staBelowASample(double staSeconds, double sampleRateHz)
{
    return QCoreApplication::translate("kelvra::Detector", "the short-term average of %1 s is shorter than a sample at %2 Hz")
        .arg(number(staSeconds), number(sampleRateHz));
}

QString fewerChannelsThanMinimum(int channels, int minChannels)
{
    return QCoreApplication::translate("kelvra::Detector", "%1 channels are watched, fewer than the %2 an event needs").arg(channels).arg(minChannels);
}

QString noDetectOption() { return QCoreApplication::translate("kelvra::Detector", "detect no events in the archived readings"); }

QString channelsOption() { return QCoreApplication::translate("kelvra::Detector", "channel codes the event detector watches (default: every channel)"); }

QString bandOption()
{
    const DetectorSettings defaults;
    return QCoreApplication::translate("kelvra::Detector", "band-pass of the event detector in Hz (default %1)")
        .arg(number(defaults.lowHz) + u'-' + number(defaults.highHz));
}

QString staOption()
{
    return QCoreApplication::translate("kelvra::Detector", "short-term average of the event detector in seconds (default %1)").arg(number(DetectorSettings().staSeconds));
}

QString ltaOption()
{
    return QCoreApplication::translate("kelvra::Detector", "long-term average of the event detector in seconds (default %1)").arg(number(DetectorSettings().ltaSeconds));
}

QString onOption()
{
    return QCoreApplication::translate("kelvra::Detector", "STA/LTA ratio above which a channel triggers (default %1)").arg(number(DetectorSettings().onRatio));
}

QString offOption()
{
    return QCoreApplication::translate("kelvra::Detector", "STA/LTA ratio at or below which its trigger ends (default %1)").arg(number(DetectorSettings().offRatio));
}

QString minChannelsOption()
{
    return QCoreApplication::translate("kelvra::Detector", "channels that must trigger together for an event (default %1)").arg(DetectorSettings().minChannels);
}

QString onEventOption()
{
    return QCoreApplication::translate("kelvra::Detector", "shell command run for every event, with its fields in KELVRA_* environment variables (default: "
              "none)");
}

}  // namespace kelvra::detector::messages
