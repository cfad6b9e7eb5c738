#include "canvoicegps/Kiv463Parts.h"

#include "framework/core/Archive.h"

namespace {

// Flags are single bytes in the archive; any non-zero byte reads as set.
void SerializeFlag(fw::CArchive& ar, bool& flag)
{
    if (ar.IsStoring()) {
        ar << static_cast<uint8_t>(flag ? 1 : 0);
    } else {
        uint8_t byte = 0;
        ar >> byte;
        flag = byte != 0;
    }
}

template <class T> void SerializeValue(fw::CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

} // namespace

void C463Voice::Serialize(fw::CArchive& ar)
{
    SerializeValue(ar, memoryBytes);
    SerializeFlag(ar, levelTrigger);
    SerializeValue(ar, triggerLevel);
}

void C463Gps::Serialize(fw::CArchive& ar)
{
    SerializeValue(ar, memoryBytes);
    SerializeValue(ar, bitRate);
    SerializeValue(ar, receiver);
    SerializeFlag(ar, speedCorrection);
    SerializeValue(ar, cycle);
    fw::SerializeElements(ar, monitorItems.data(), monitorItems.size());
    SerializeValue(ar, lowerSpeedLimit);
}

C463Can& C463Can::operator=(const C463Can& other)
{
    if (this == &other)
        return *this;
    memoryBytes = other.memoryBytes;
    bitRate = other.bitRate;
    singleShot = other.singleShot;
    busOffRecovery = other.busOffRecovery;
    ackOutput = other.ackOutput;
    messages = other.messages;
    return *this;
}

void C463Can::SetDefaults()
{
    memoryBytes = kDefaultPartMemoryBytes;
    bitRate = kDefaultBitRate;
    singleShot = true;
    busOffRecovery = true;
    ackOutput = true;
    messages.RemoveAll();
}

void C463Can::Serialize(fw::CArchive& ar)
{
    SerializeValue(ar, memoryBytes);
    SerializeValue(ar, bitRate);
    SerializeFlag(ar, singleShot);
    SerializeFlag(ar, busOffRecovery);
    SerializeFlag(ar, ackOutput);
    messages.Serialize(ar);
}
