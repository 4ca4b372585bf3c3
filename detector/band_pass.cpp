#include "detector/band_pass.h"

#include <liquid/liquid.h>

#include <cmath>

namespace kelvra::detector {
namespace {

// Of the low-pass prototype: the band-pass has twice as many poles, two on each side, 12 dB an
// octave. That keeps the microseism at 0.2 Hz some 30 dB down below a 1..5 Hz band while the
// delay stays under a sample at 3 Hz and the ringing after an onset short, so an onset is not moved.
constexpr unsigned kPrototypeOrder = 2;
// Butterworth designs ignore the ripples; liquid-dsp still asks for them.
constexpr float kPassRippleDb = 1.0f;
constexpr float kStopAttenuationDb = 60.0f;

}  // namespace

BandPass::BandPass(double sampleRateHz, double lowHz, double highHz)
{
    // liquid-dsp maps the prototype's cut-off to the lower edge and the band's geometric centre on
    // the unit circle to f0, both as fractions of the sample rate: cos 2πf0 = cos π(fh+fl) / cos π(fh-fl).
    const double low = lowHz / sampleRateHz;
    const double high = highHz / sampleRateHz;
    const double centre = std::acos(std::cos(M_PI * (high + low)) / std::cos(M_PI * (high - low))) / (2 * M_PI);
    filter_.reset(iirfilt_rrrf_create_prototype(LIQUID_IIRDES_BUTTER, LIQUID_IIRDES_BANDPASS, LIQUID_IIRDES_SOS,
                                                kPrototypeOrder, float(low), float(centre), kPassRippleDb,
                                                kStopAttenuationDb));
}

float BandPass::filter(float sample)
{
    float out = 0;
    iirfilt_rrrf_execute(filter_.get(), sample, &out);
    return out;
}

void BandPass::reset() { iirfilt_rrrf_reset(filter_.get()); }

void BandPass::Destroy::operator()(iirfilt_rrrf_s* filter) const { iirfilt_rrrf_destroy(filter); }

}  // namespace kelvra::detector
