#include "sounds/spectrum.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace assetgen::sound {

namespace {

// In-place iterative radix-2 FFT.
void Transform(std::vector<std::complex<double>>& values) {
    const std::size_t n = values.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(values[i], values[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step =
            std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w(1.0, 0.0);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = values[start + k];
                const std::complex<double> odd = values[start + k + length / 2] * w;
                values[start + k] = even + odd;
                values[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

}  // namespace

std::vector<double> SpectrumDb(const Samples& samples, std::size_t centre, std::size_t size) {
    std::vector<std::complex<double>> values(size);
    double windowSum = 0.0;
    for (std::size_t i = 0; i < size; ++i) {
        const std::ptrdiff_t at =
            static_cast<std::ptrdiff_t>(centre + i) - static_cast<std::ptrdiff_t>(size / 2);
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                                   static_cast<double>(size));
        windowSum += window;
        const double x = at >= 0 && at < static_cast<std::ptrdiff_t>(samples.size())
                             ? static_cast<double>(samples[static_cast<std::size_t>(at)])
                             : 0.0;
        values[i] = x * window;
    }
    Transform(values);
    std::vector<double> db(size / 2);
    for (std::size_t k = 0; k < size / 2; ++k) {
        // A full-scale sine reads 0 dB.
        const double magnitude = 2.0 * std::abs(values[k]) / windowSum;
        db[k] = 20.0 * std::log10(magnitude + 1e-9);
    }
    return db;
}

}  // namespace assetgen::sound
