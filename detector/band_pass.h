#pragma once

#include <memory>

struct iirfilt_rrrf_s;

namespace kelvra::detector {

// A Butterworth band-pass of liquid-dsp, filtering one sample at a time.
class BandPass {
public:
    // The edges are where the gain is down by 3 dB; 0 < lowHz < highHz < sampleRateHz / 2.
    BandPass(double sampleRateHz, double lowHz, double highHz);

    float filter(float sample);
    // Forgets every sample so far, as a filter just made.
    void reset();

private:
    struct Destroy {
        void operator()(iirfilt_rrrf_s* filter) const;
    };
    std::unique_ptr<iirfilt_rrrf_s, Destroy> filter_;
};

}  // namespace kelvra::detector
