// Rows stored into the channel tanks many at once are stored a slice of rows
// at a time: the tanks must end with exactly the values a store in small
// pieces gives.

#include "canvoicegps/Kiv463Unit.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CalcClasses.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/DataTankObject.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "tests/emulator/RecordedData.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <cstdint>
#include <vector>

namespace {

constexpr int kChannels = 80;
constexpr int kRowBytes = kChannels * 2;
// Several slices of rows, the last one partial.
constexpr int kRows = 40000;

void RegisterOnce()
{
    static const bool registered = [] {
        fw::RegisterClasses();
        InstallProgramStrings();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterUnitClasses();
        RegisterMeterClasses();
        RegisterSystemClasses();
        RegisterCanVoiceGpsClasses();
        return true;
    }();
    (void)registered;
}

void Build(CBoxArray& system)
{
    CMeterInterfacePrf profile;
    profile.SetCount(1);
    for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
        profile.m_unitTypes[0].SetAt(p, 2);
    profile.m_ipAddress[0] = 0x7F000001;
    profile.m_port[0] = 50000;
    profile.m_serialNo[0] = 100;
    ASSERT_TRUE(system.BuildFromProfile(profile));
    system.GetBox(0)->GetMeter()->InitArrays();
    for (int ch = 0; ch < kChannels; ++ch)
        system.SetChannelValue(ch, 0, 1);
    system.SetTankDisplayModes();
    system.SetDataCount(kRows, true);
}

TEST(StoreSlices, ManyRowsAtOnceStoreWhatSmallPiecesStore)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    kivtest::TempDir folder;
    SetCacheTankFolder(folder.Path().string());
    struct Restore {
        ~Restore() { SetCacheTankFolder(std::filesystem::temp_directory_path().string()); }
    } restore;
    std::vector<uint8_t> rows = kivemu::RecordedRows(std::vector<int>(kChannels, 2), 0, kRows);
    // No-value samples among them.
    for (int r = 0; r < kRows; r += 997)
        rows[static_cast<size_t>(r) * kRowBytes + static_cast<size_t>(r % kChannels) * 2 + 1] = 0x7F;
    CBoxArray whole;
    CBoxArray pieces;
    Build(whole);
    Build(pieces);
    ASSERT_EQ(whole.StoreSamples(0, 0, kRows, kRowBytes, rows), kRows);
    constexpr int kPiece = 1000;
    for (int r = 0; r < kRows; r += kPiece) {
        const auto piece = std::span<const uint8_t>(rows).subspan(static_cast<size_t>(r) * kRowBytes);
        ASSERT_EQ(pieces.StoreSamples(0, r, kPiece, kRowBytes, piece), kPiece);
    }
    for (int ch = 0; ch < kChannels; ++ch) {
        CDataTankObject* a = whole.GetBox(0)->GetChannelTank(ch);
        CDataTankObject* b = pieces.GetBox(0)->GetChannelTank(ch);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        for (int r = 0; r < kRows; ++r)
            ASSERT_EQ(std::bit_cast<uint64_t>(a->GetValue(r)), std::bit_cast<uint64_t>(b->GetValue(r)))
                << "channel " << ch << " row " << r;
    }
}

} // namespace
