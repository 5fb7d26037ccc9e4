// A 16-byte identifier, as the sound device's 3D algorithm argument takes it.
#pragma once

#include <cstdint>

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// The null identifier: the default (no) 3D algorithm.
inline constexpr Guid GUID_NULL{};
