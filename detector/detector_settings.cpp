#include "detector/detector_settings.h"

#include "detector/messages.h"
#include "recorder/constants.h"
#include "settings/number_text.h"

#include <QRegularExpression>

#include <cmath>

namespace kelvra::detector {
namespace {

// A day: the longest average that makes sense, and a bound that keeps sample counts in range.
constexpr double kLongestSeconds = 86400.0;

}  // namespace

QString parseBand(const QString& text, std::pair<double, double>& band)
{
    const QStringList edges = text.split(u'-');
    if (edges.size() != 2)
        return messages::notABand();
    const std::optional<double> low = finiteNumber(edges[0]);
    const std::optional<double> high = finiteNumber(edges[1]);
    if (!low || !high || *low <= 0 || *high <= *low)
        return messages::notABand();
    band = {*low, *high};
    return {};
}

QString parseSeconds(const QString& text, double& seconds)
{
    const std::optional<double> value = finiteNumber(text);
    if (!value || *value <= 0 || *value > kLongestSeconds)
        return messages::notSeconds();
    seconds = *value;
    return {};
}

QString parseRatio(const QString& text, double& ratio)
{
    const std::optional<double> value = finiteNumber(text);
    if (!value || *value <= 1)
        return messages::notARatio();
    ratio = *value;
    return {};
}

QString parseMinChannels(const QString& text, int& count)
{
    bool whole = false;
    const int value = text.trimmed().toInt(&whole);
    if (!whole || value < 1 || value > kChannelCount)
        return messages::notMinChannels();
    count = value;
    return {};
}

QString parseChannelList(const QString& text, QStringList& channels)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9]{3}$"));
    QStringList codes;
    for (const QString& part : text.split(u',')) {
        if (!code.match(part).hasMatch())
            return messages::notAChannelCode(part);
        if (codes.contains(part.toUpper()))
            return messages::channelTwice(part);
        codes << part.toUpper();
    }
    channels = codes;
    return {};
}

QString parseCommand(const QString& text, QString& command)
{
    if (text.trimmed().isEmpty())
        return messages::noCommand();
    command = text;
    return {};
}

QString problemWith(const DetectorSettings& settings, double sampleRateHz)
{
    if (settings.highHz >= sampleRateHz / 2)
        return messages::bandAboveNyquist(settings.highHz, sampleRateHz);
    if (settings.offRatio >= settings.onRatio)
        return messages::offNotBelowOn(settings.offRatio, settings.onRatio);
    if (settings.staSeconds >= settings.ltaSeconds)
        return messages::staNotShorter(settings.staSeconds, settings.ltaSeconds);
    if (settings.staSeconds * sampleRateHz < 1)
        return messages::staBelowASample(settings.staSeconds, sampleRateHz);
    if (!settings.channels.isEmpty() && settings.channels.size() < settings.minChannels)
        return messages::fewerChannelsThanMinimum(int(settings.channels.size()), settings.minChannels);
    return {};
}

}  // namespace kelvra::detector
