#include "canvoicegps/GpsItems.h"

#include "canvoicegps/CanVoiceGpsStrings.h"
#include "instrument/unit/EngUnitTable.h"

#include <cstring>

namespace gpsitem {

namespace {

constexpr int kMetre = 3;
constexpr int kDegree = 6;
constexpr int kAcceleration = 33;
constexpr int kSpeed = 40;

struct Item {
    const char* name;
    int unit;
    bool twoSlots;
};

// Indexed by code - 1.
constexpr Item kItems[kLast] = {
    {"lon_rela_dst", kMetre, true},
    {"lat_rela_dst", kMetre, true},
    {"lon_abso_deg", kDegree, true},
    {"lat_abso_deg", kDegree, true},
    {"ele_abso", kMetre, false},
    {"vel", kSpeed, false},
    {"acc_x", kAcceleration, false},
    {"acc_y", kAcceleration, false},
    {"road_rela_dst", kMetre, true},
    {"v_in", engunit::kNone, false},
    {"gps_lon_abso_deg", kDegree, true},
    {"gps_lat_abso_deg", kDegree, true},
    {"gps_ele_abso", kMetre, false},
    {"gps_vel", kSpeed, false},
    {"gps_trk", kDegree, false},
};

} // namespace

bool IsItem(int code)
{
    return code >= kFirst && code <= kLast;
}

bool IsCorrected(int code)
{
    return code >= kFirst && code <= kLastCorrected;
}

bool TakesTwoSlots(int code)
{
    return IsItem(code) && kItems[code - 1].twoSlots;
}

const char* Name(int code)
{
    return IsItem(code) ? kItems[code - 1].name : "";
}

int CodeOfName(const char* name)
{
    if (!name)
        return 0;
    for (int code = kFirst; code <= kLast; ++code)
        if (std::strcmp(kItems[code - 1].name, name) == 0)
            return code;
    return 0;
}

int UnitIndex(int code)
{
    return IsItem(code) ? kItems[code - 1].unit : engunit::kNone;
}

unsigned CaptionId(int code)
{
    return IsItem(code) ? cvgstr::kGpsItemCaptionFirst + static_cast<unsigned>(code - 1) : 0;
}

} // namespace gpsitem

int GetGpsItemDecimals(int code)
{
    switch (code) {
    case 1: case 2: case 7: case 8: case 9:
        return 2;
    case 3: case 4: case 11: case 12:
        return 7;
    case 6: case 14: case 15:
        return 1;
    default:
        return 0;
    }
}
