#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace kelvra::detector {

// How each channel triggers. The defaults suit a short-period sensor sampled at 12.5 Hz: a 1..5 Hz
// band holds a local event's energy and leaves out the microseism, a 1 s short-term average
// follows an onset, a 30 s long-term one the background. Short-period networks trigger at 3.5 to 4
// on and 1.5 off; on four channels of plain noise 3.5 went on some six times a day, 4 once in
// three days.
struct TriggerSettings {
    double lowHz = 1.0;
    double highHz = 5.0;
    double staSeconds = 1.0;
    double ltaSeconds = 30.0;
    double onRatio = 4.0;
    double offRatio = 1.5;
};

// What the event detector looks for, and what it does with an event.
struct DetectorSettings : TriggerSettings {
    bool enabled = true;
    QStringList channels;  // SEED channel codes watched; empty: every channel of the station
    int minChannels = 1;
    QString onEvent;  // a shell command run for every event; empty for none
};

// Parsers of the detector's settings as the settings file and the command line write them. Each
// returns an empty string on success (and fills the value in), otherwise why the text cannot be
// used; the value is then left as it was.
QString parseBand(const QString& text, std::pair<double, double>& band);  // LOW-HIGH in Hz, 0 < LOW < HIGH
QString parseSeconds(const QString& text, double& seconds);              // above 0
QString parseRatio(const QString& text, double& ratio);                  // above 1
QString parseMinChannels(const QString& text, int& count);               // 1..4
QString parseChannelList(const QString& text, QStringList& channels);    // C1[,C2...], SEED codes
QString parseCommand(const QString& text, QString& command);             // not blank

// Why the settings cannot work together (the band above half the sample rate, off not below on,
// STA not shorter than LTA), or empty.
QString problemWith(const DetectorSettings& settings, double sampleRateHz);

}  // namespace kelvra::detector
