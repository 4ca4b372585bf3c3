#pragma once

#include <QString>

// Every text the detector shows or prints, in one place for translation.
namespace kelvra::detector::messages {

// Why a value cannot be used.
QString notABand();
QString notSeconds();
QString notARatio();
QString notMinChannels();
QString notAChannelCode(const QString& code);
QString channelTwice(const QString& code);
QString noCommand();

// Why the settings cannot work together.
QString bandAboveNyquist(double highHz, double sampleRateHz);
QString offNotBelowOn(double offRatio, double onRatio);
QString staNotShorter(double staSeconds, double ltaSeconds);
QString staBelowASample(double staSeconds, double sampleRateHz);
QString fewerChannelsThanMinimum(int channels, int minChannels);

// --help
QString noDetectOption();
QString channelsOption();
QString bandOption();
QString staOption();
QString ltaOption();
QString onOption();
QString offOption();
QString minChannelsOption();
QString onEventOption();

}  // namespace kelvra::detector::messages
