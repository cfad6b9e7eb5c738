#pragma once

// The three setting parts of the CAN/voice/GPS unit. They share the unit's
// memory: the three sizes together may not exceed kUnitMemoryBytes.

#include "canvoicegps/CanNodeArray.h"

#include <array>
#include <cstdint>

namespace fw {
class CArchive;
}

inline constexpr uint32_t kUnitMemoryBytes = 6000000;
inline constexpr uint32_t kDefaultPartMemoryBytes = 2000000;

class C463Voice {
public:
    static constexpr int16_t kDefaultTriggerLevel = 2; // 1 small, 2 medium, 3 large
    static constexpr int16_t kMaxTriggerLevel = 3;

    virtual ~C463Voice() = default;
    virtual void Serialize(fw::CArchive& ar);
    void SetDefaults() { *this = C463Voice(); }

    uint32_t memoryBytes = kDefaultPartMemoryBytes;
    // Recording starts when the sound exceeds the level.
    bool levelTrigger = false;
    int16_t triggerLevel = kDefaultTriggerLevel;
};

class C463Gps {
public:
    static constexpr uint32_t kDefaultBitRate = 115200;
    static constexpr int16_t kMaxReceiver = 2;    // 0 none, 1 KIV-463-1, 2 KIV-463-2
    static constexpr int32_t kMaxCycle = 5;       // 0.05 0.1 0.2 0.25 0.5 1 second
    static constexpr int16_t kDefaultSpeedLimit = 5; // 0.1 km/h

    virtual ~C463Gps() = default;
    virtual void Serialize(fw::CArchive& ar);
    void SetDefaults() { *this = C463Gps(); }

    uint32_t memoryBytes = kDefaultPartMemoryBytes;
    uint32_t bitRate = kDefaultBitRate;
    int16_t receiver = 0;
    // Correction and distance measurement: enables the corrected items and
    // excludes CAN signals from the data slots.
    bool speedCorrection = false;
    int32_t cycle = 0;
    // The GPS item of each data slot, 0 for none.
    std::array<int16_t, 8> monitorItems{};
    // Speeds below it are not integrated into distance; 0.1 km/h.
    int16_t lowerSpeedLimit = kDefaultSpeedLimit;
};

class C463Can {
public:
    static constexpr uint32_t kDefaultBitRate = 125000;

    C463Can() = default;
    C463Can(const C463Can&) = delete;
    // The settings and a deep copy of the messages.
    C463Can& operator=(const C463Can& other);
    virtual ~C463Can() = default;
    virtual void Serialize(fw::CArchive& ar);
    // Default settings and no messages.
    void SetDefaults();

    uint32_t memoryBytes = kDefaultPartMemoryBytes;
    uint32_t bitRate = kDefaultBitRate;
    // No retransmission after a bus error.
    bool singleShot = true;
    // Forced recovery after bus-off.
    bool busOffRecovery = true;
    // Acknowledge received frames.
    bool ackOutput = true;
    CCanNodeArray messages;
};
