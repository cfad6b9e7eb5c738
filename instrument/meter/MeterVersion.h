#pragma once

// Firmware versions of control units and units: four characters packed into
// a 32-bit word, first character most significant, so that versions compare
// as unsigned numbers (1.2A < 1.2C < 2.2A).

#include <cstdint>
#include <string_view>

namespace meterversion {

constexpr uint32_t Pack(char a, char b, char c, char d)
{
    return (static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(d));
}

// The word of the first four characters; 0 when there are fewer.
constexpr uint32_t Pack(std::string_view text)
{
    return text.size() < 4 ? 0u : Pack(text[0], text[1], text[2], text[3]);
}

// Thresholds at which control-unit features start.
inline constexpr uint32_t k11B = Pack("1.1B");  // oldest supported control unit
inline constexpr uint32_t k12A = Pack("1.2A");  // "CDO" calibration output, CDWF
inline constexpr uint32_t k12C = Pack("1.2C");  // "CDO3" calibration zero
inline constexpr uint32_t k14A = Pack("1.4A");  // digital I/O unit settings
inline constexpr uint32_t k14B = Pack("1.4B");  // CAN/voice/GPS settings, 32-bit values
inline constexpr uint32_t k22A = Pack("2.2A");  // HPF, DMC, "STA4", speed thresholds

} // namespace meterversion
