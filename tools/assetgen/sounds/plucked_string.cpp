// The plucked string: a delay line one period long that loses a little brightness on every pass.
#include <algorithm>
#include <cmath>

#include "sounds/filters.h"
#include "sounds/voices.h"

namespace assetgen::sound {

Samples RenderPluck(const Pluck& pluck, Random& random) {
    const std::size_t frames = FramesFor(pluck.seconds);
    const double period = kSampleRateHz / pluck.hz;
    // The two-point average in the loop delays by half a frame; the read point makes up for it.
    const double smoothing = 0.5 - 0.3 * pluck.brightness;
    const double delay = period - smoothing;
    const double loss = std::pow(0.001, 1.0 / (pluck.hz * pluck.sustain));

    // The excitation: one period of noise, darkened by the pluck's softness and combed by the
    // pick position.
    const std::size_t burst = static_cast<std::size_t>(std::ceil(period));
    std::vector<double> excitation(burst);
    OnePoleLowPass soften(pluck.hz * (1.0 + 24.0 * pluck.brightness * pluck.brightness));
    for (double& e : excitation) e = soften.Process(random.Bipolar());
    const std::size_t pick =
        std::max<std::size_t>(1, static_cast<std::size_t>(pluck.pickPosition * period));
    for (std::size_t i = burst; i-- > pick;) excitation[i] -= excitation[i - pick];

    std::vector<double> line(frames + 2, 0.0);
    DcBlocker dc;
    Samples out(frames);
    const int whole = static_cast<int>(std::floor(delay));
    const double fraction = delay - whole;
    for (std::size_t n = 0; n < frames; ++n) {
        double y = n < burst ? excitation[n] : 0.0;
        const std::ptrdiff_t back = static_cast<std::ptrdiff_t>(n) - whole;
        if (back >= 1) {
            // Linear interpolation between the two frames around the fractional delay.
            const auto at = static_cast<std::size_t>(back);
            const double a = line[at] * (1.0 - fraction) + line[at - 1] * fraction;
            const double b =
                at >= 2 ? line[at - 1] * (1.0 - fraction) + line[at - 2] * fraction : 0.0;
            y += loss * ((1.0 - smoothing) * a + smoothing * b);
        }
        line[n] = y;
        out[n] = static_cast<float>(dc.Process(y));
    }
    return out;
}

}  // namespace assetgen::sound
