#include "frequency/model/HistTables.h"

#include <cstring>

namespace {

const char* const kOperations[kHistOperationCount] = {
    "NONE OP", "PEAK/V", "MAX/MIN", "AMP", "TIME", "LEVEL", "RAIN", "FROM/TO",
};

// Rows for operations 1..6; an empty text ends a row.
const char* const kLabels[6][kHistLabelColumns] = {
    {"Peak", "Valley", "Peak/Valley", "+Peak/-Valley"},
    {"Max", "Min", "Max/Min", ""},
    {"+Amp", "-Amp", "+Amp/-Amp", ""},
    {"Count", "", "", ""},
    {"+Level", "-Level", "+Level/-Level", ""},
    {"Count", "", "", ""},
};

const char* const kUnits[kHistUnitCount] = {
    "ue",  "mm",  "cm",  "m",      "C",   "F",   "deg",  "gf",    "kgf",    "tf",  "N",
    "kN",  "MN",  "kg/mm2", "kPa", "MPa", "kgm", "mV",   "V",     "mA",     "A",   "ohm",
    "Mohm", "Hz", "G",   "%",      "rpm", "ppm", "Tor",  " ",     "Nm",     "###", "kohm",
    "m/S2", "kg/cm2", "hPa", "u",  "N/mm2", "uA", "uV",  "km/h",
};

const char* const kSampleTimes[kHistSampleTimeCount] = {"1000msec", "100msec", "", "10msec"};

int FindFromLast(const char* const* table, int count, const char* text)
{
    if (!text)
        return -1;
    for (int i = count - 1; i >= 0; --i) {
        if (std::strcmp(table[i], text) == 0)
            return i;
    }
    return -1;
}

} // namespace

const char* HistOperationText(int code)
{
    return code >= 0 && code < kHistOperationCount ? kOperations[code] : "";
}

int FindHistOperation(const char* text) { return FindFromLast(kOperations, kHistOperationCount, text); }

const char* HistCountLabel(int operation, int column)
{
    if (operation < 1 || operation > 6 || column < 0 || column >= kHistLabelColumns)
        return "";
    return kLabels[operation - 1][column];
}

const char* HistUnitText(int index) { return index >= 0 && index < kHistUnitCount ? kUnits[index] : ""; }

int FindHistUnitIndex(const char* text) { return FindFromLast(kUnits, kHistUnitCount, text); }

const char* HistSampleTimeText(int index)
{
    return index >= 0 && index < kHistSampleTimeCount ? kSampleTimes[index] : "";
}

const char* HistSensorModeText(int code)
{
    struct Mode {
        int code;
        const char* text;
    };
    static constexpr Mode kModes[] = {
        {146, "4G 0.5V"}, {16, "4G 2.0V"}, {33, "電圧"}, {21, "熱電対　K"}, {22, "熱電対　J"}, {20, "熱電対　T"},
    };
    for (const Mode& m : kModes) {
        if (m.code == code)
            return m.text;
    }
    return "";
}
