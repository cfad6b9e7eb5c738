#pragma once

// GPS data recorded by a CAN/voice/GPS unit beside the waveform data: one
// file per unit port ("<waveform name>_<port 01-10>"), a keyword header and
// then records of eight 32-bit series. Every file adds seven tanks to the
// measuring system's GPS tank list: the date, then the series 0, 1, 2, 5,
// 6 and 7, each value times its SLOPE entry.
//
// CGetGPSUpdate reads the ".gps" file of the unit's memory through the
// unit; CGetGPSFileUpdate the ".GPS" file of a PC folder.

#include "measure/model/UnitPortStreamUpdate.h"
#include "measure/model/GetFileUpdate.h"

#include <array>
#include <cstdint>
#include <span>

class CGpsDataTankList;

struct GpsHeader {
    static constexpr int kSeries = 8;
    static constexpr int kRecordBytes = 32;
    uint32_t dataOffset = 0;
    int32_t samples = 0;
    std::array<fw::CString, kSeries> names;
    std::array<fw::CString, kSeries> units;
    std::array<double, kSeries> slopes{};
    std::array<int16_t, kSeries> formats{};
};

// The six keys of a GPS header; false when one is missing or a list is
// short. Nothing is added to any tank list.
bool ParseGpsHeader(std::span<const uint8_t> bytes, GpsHeader& header);
// Seven tanks of `count` values for one GPS file behind the list's others,
// named and with units from the header.
void AppendGpsTanks(CGpsDataTankList& list, const GpsHeader& header, int count);
// The last seven tanks: formats, extremes, mean, windows released.
void FinishGpsTanks(CGpsDataTankList& list, const GpsHeader& header);

class CGetGPSUpdate : public CUnitPortStreamUpdate {
public:
    static constexpr unsigned kHeaderPartBytes = 9984;
    static constexpr unsigned kChunkBytes = 8192;

    explicit CGetGPSUpdate(ITransferHost& host);

    bool Prepare() override;
    bool OpenItem() override;
    bool NextItem() override;
    void GetCaption(fw::CString& text) const override;
    void StoreChunk(unsigned position) override;
    void Finish() override;

protected:
    // The next port from `first` with a CAN/voice/GPS unit and a GPS file
    // in the unit's memory; -1 when none.
    int FindPort(int first);
    bool FindGpsMemoryFile(int port);

    GpsHeader m_header;
};

class CGetGPSFileUpdate : public CGetFileUpdate {
public:
    static constexpr int kHeaderBytes = 10000;
    static constexpr unsigned kChunkRecords = 2048;

    explicit CGetGPSFileUpdate(ITransferHost& host);

    bool Prepare() override;
    bool OpenItem() override;
    bool NextItem() override;
    void GetCaption(fw::CString& text) const override;
    bool TransferChunk() override;
    void StoreChunk(unsigned position) override;
    void Finish() override;
    bool HasUnit463() const override { return false; }
    void CopyKindFrom(const CCFUpdate& other) override;

protected:
    fw::CString PortFile(int port) const;
    int FindPort(int first) const;

    GpsHeader m_header;
};
