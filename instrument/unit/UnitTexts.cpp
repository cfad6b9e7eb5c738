#include "instrument/unit/UnitTexts.h"

#include <cmath>
#include <cstring>

namespace unittext {

const char* const kSensorModeTexts[kSensorModeCount] = {
    "4G 0.5V", "4G 2.0V", "電圧", "熱電対　K", "熱電対　J", "熱電対　T",
};
const int kSensorModeCodes[kSensorModeCount] = {146, 16, 33, 21, 22, 20};

const char* const kSlopeTexts[kSlopeCount] = {"相対", "アッパー", "ロワー"};

const char* const kOutputModeTexts[kOutputModeCount] = {"±5V", "±10V", "0 - +5V"};
const int kOutputModeCodes[kOutputModeCount] = {3, 4, 13};

const char* const kFilterTexts[kFilterCount] = {
    "10", "20", "50", "100", "200", "500", "1000", "2000", "5000", "PASS",
};

const char* const kRjcTexts[kRjcCount] = {"RJC OFF", "RJC ON"};

const char* const kHighPassTexts[kHighPassCount] = {"PASS", "0.2", "1.0"};

const char* const kRangeTexts[kRangeCount + 2] = {
    "600", "1000", "1300", "5000", "10000", "20000", "2500", "250", "OFF", "ON",
};

} // namespace unittext

namespace {

struct UnitModel {
    const char* text;
    int code;
};

constexpr UnitModel kUnitModels[kUnitModelCount] = {
    {"-------", 0}, {"KIV-417", 1}, {"KIV-427", 2}, {"KIV-437", 3}, {"KIV-418", 4},
    {"KIV-464", 5}, {"KIV-465", 7}, {"KIV-463", 8}, {"KIV-473", 9}, {"KIV-419", 10},
};

} // namespace

int FindTextInTable(const char* const* table, int n, const char* text)
{
    if (!text)
        return -1;
    for (int i = n - 1; i >= 0; --i) {
        if (std::strcmp(table[i], text) == 0)
            return i;
    }
    return -1;
}

int GetUnitTypeCode(const char* name)
{
    if (!name)
        return -1;
    for (int row = kUnitModelCount - 1; row >= 0; --row) {
        if (std::strcmp(kUnitModels[row].text, name) == 0)
            return kUnitModels[row].code;
    }
    return -1;
}

const char* GetUnitTypeName(int code)
{
    for (const UnitModel& model : kUnitModels) {
        if (model.code == code)
            return model.text;
    }
    return nullptr;
}

const char* GetUnitModelText(int row)
{
    return row >= 0 && row < kUnitModelCount ? kUnitModels[row].text : "";
}

int GetUnitModelCode(int row)
{
    return row >= 0 && row < kUnitModelCount ? kUnitModels[row].code : -1;
}

const char* GetSensorModeText(int code)
{
    for (int i = 0; i < unittext::kSensorModeCount; ++i) {
        if (unittext::kSensorModeCodes[i] == code)
            return unittext::kSensorModeTexts[i];
    }
    return "";
}

const char* GetLimitKindText(int kind)
{
    switch (kind) {
    case 0:
        return unittext::kSlopeTexts[0];
    case 'U':
        return unittext::kSlopeTexts[1];
    case 'L':
        return unittext::kSlopeTexts[2];
    default:
        return "";
    }
}

const char* GetFilterText(int value)
{
    fw::CString text;
    text.Format("%d", value);
    const int i = FindTextInTable(unittext::kFilterTexts, unittext::kFilterFrequencyCount, text.c_str());
    return i < 0 ? "" : unittext::kFilterTexts[i];
}

const char* GetRjcText(int index)
{
    return index >= 0 && index < unittext::kRjcCount ? unittext::kRjcTexts[index] : "";
}

const char* GetHighPassText(int index)
{
    return index >= 0 && index < unittext::kHighPassCount ? unittext::kHighPassTexts[index] : "";
}

bool IsFiniteInRange(double x, double low, double high)
{
    return std::isfinite(x) && low <= x && x <= high;
}

fw::CString GetFileNameFromPath(const char* path)
{
    fw::CString text(path);
    const int slash = text.ReverseFind('\\');
    return slash < 0 ? text : text.Mid(slash + 1);
}
