#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Fixed values of the recorder. Positions and sizes are in twips (15 to a pixel at 96 dpi).
namespace kelvra {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

// The entries of the sixteen-colour palette that the recorder uses.
namespace palette {
inline constexpr Rgb kGreen{0, 128, 0};     // 2
inline constexpr Rgb kPurple{128, 0, 128};  // 5
inline constexpr Rgb kBlue{0, 0, 255};      // 9
inline constexpr Rgb kLime{0, 255, 0};      // 10
inline constexpr Rgb kRed{255, 0, 0};       // 12
}  // namespace palette

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kChannelCount = 4;

// Acquisition cycle.
inline constexpr int kTimer1IntervalMs = 20;
inline constexpr double kSweepLimit = 10800.0;  // the sweep wraps when strictly above
inline constexpr int kWrapPauseMs = 50;
inline constexpr double kFreeRunningStep = 1.0;
inline constexpr double kTimedStep = 1.0;

// Each channel is read once per round of the four: 12.5 samples a second.
inline constexpr double kSampleRateHz = 1000.0 / (kTimer1IntervalMs * kChannelCount);

// The highest reading the 10-bit board sends; the archive keeps nothing above it.
inline constexpr std::int32_t kBoardFullScale = 1023;

// Trace rendering.
inline constexpr double kFullScaleCount = 1023.0;
inline constexpr double kFullScaleVolts = 5.0;
inline constexpr double kMarkerOffset = 15.0;
inline constexpr int kGridPenWidth = 1;
inline constexpr int kTracePenWidth = 2;
inline constexpr int kGridDivisions = 12;
inline constexpr int kGridBands = 5;

// Serial link.
inline constexpr int kCommPort = 1;
inline const QString kLineSettings = QStringLiteral("9600,n,8,1");
inline constexpr int kInputLen = 0;

// Link status and clock captions.
inline const QString kStatusReceiving = QStringLiteral("通信中");
inline const QString kStatusNoReply = QStringLiteral("通信エラー");
inline const QString kNoReplyText = QStringLiteral("0");
inline constexpr Rgb kStatusReceivingColour = palette::kLime;
inline constexpr Rgb kStatusNoReplyColour = palette::kRed;

struct SweepMode {
    int timer2IntervalMs;
    const char* caption;  // UTF-8
    std::int16_t timedMode;
};

// Command4..Command7 in order.
inline constexpr std::array<SweepMode, 4> kSweepModes{{
    {1, "Free", 0},
    {62, "１分", 1},
    {328, "５分", 1},
    {1324, "20分", 1},
}};

}  // namespace kelvra
