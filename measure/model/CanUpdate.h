#pragma once

// CAN frames recorded by a CAN/voice/GPS unit, one file per unit port
// ("<waveform name>_<port 01-10>"): the message database in force, then
// blocks of frame records, decoded into the tanks of the messages and
// signals of the unit in that port. CGetCanUpdate reads the ".can" file of
// the unit's memory through the unit; CGetCanFileUpdate the ".CAN" file of
// a PC folder. A damaged block ends the item with a message naming the
// file and the block's address.

#include "measure/model/UnitPortStreamUpdate.h"
#include "measure/model/CanDecode.h"
#include "measure/model/GetFileUpdate.h"

class CCanNodeArray;

class CGetCanUpdate : public CUnitPortStreamUpdate {
public:
    static constexpr unsigned kFirstPartBytes = 64;
    static constexpr unsigned kHeaderStep = 64;
    // FILE_OFFSET must lie beyond the key and its value.
    static constexpr int64_t kMinFileOffset = 13;
    static constexpr unsigned kIdsDamagedBlock = 656;

    explicit CGetCanUpdate(ITransferHost& host);

    bool Prepare() override;
    bool OpenItem() override;
    bool NextItem() override;
    void GetCaption(fw::CString& text) const override;
    void StoreChunk(unsigned position) override;
    void Finish() override;

    const CanFrameCounters& GetCounters() const { return m_counters; }

protected:
    int FindPort(int first);
    bool FindCanMemoryFile(int port);
    // The message list of the unit in the port; false when that unit is no
    // CAN/voice/GPS unit.
    bool TakeMessages(int port);
    bool ReadHeaderPart(std::vector<uint8_t>& header);

    unsigned m_dataOffset = 0;
    CCanNodeArray* m_messages = nullptr;  // not owned
    CanFrameCounters m_counters{};
};

class CGetCanFileUpdate : public CGetFileUpdate {
public:
    static constexpr unsigned kChunkBytes = 65536;

    explicit CGetCanFileUpdate(ITransferHost& host);

    bool Prepare() override;
    bool OpenItem() override;
    bool NextItem() override;
    bool NextChunk() override;
    void GetCaption(fw::CString& text) const override;
    bool TransferChunk() override;
    void StoreChunk(unsigned position) override;
    void Finish() override;
    bool HasUnit463() const override { return false; }
    // The second object decodes into the first one's messages and
    // counters.
    void CopyKindFrom(const CCFUpdate& other) override;

    const CanFrameCounters& GetCounters() const { return *m_counters; }

protected:
    fw::CString PortFile(int port) const;
    int FindPort(int first) const;
    bool TakeMessages(int port);

    int m_meterBox = 0;
    CCanNodeArray* m_messages = nullptr;  // not owned
    CanFrameCounters m_ownCounters{};
    CanFrameCounters* m_counters = &m_ownCounters;
    int64_t m_blockAddress = 0;
};
