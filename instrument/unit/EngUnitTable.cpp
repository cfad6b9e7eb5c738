#include "instrument/unit/EngUnitTable.h"

namespace engunit {

// Micro is U+03BC and ohm U+03A9: the code points that CP932 holds (the
// micro sign U+00B5 and the ohm sign U+2126 would not survive a file).
const char* const kAsciiTexts[kCount] = {
    "ue", "mm", "cm", "m", "C", "F", "deg", "gf", "kgf", "tf",
    "N", "kN", "MN", "kg/mm2", "kPa", "MPa", "kgm", "mV", "V", "mA",
    "A", "ohm", "Mohm", "Hz", "G", "%", "rpm", "ppm", "Tor", " ",
    "Nm", "###", "kohm", "m/S2", "kg/cm2", "hPa", "u", "N/mm2", "uA", "uV",
    "km/h",
};

const char* const kDisplayTexts[kCount] = {
    "μStrain", "mm", "cm", "m", "℃", "F", "deg", "gf", "kgf", "tf",
    "N", "kN", "MN", "kg/mm\\super2\\super", "kPa", "MPa", "kgm", "mV", "V", "mA",
    "A", "Ω", "MΩ", "Hz", "G", "%", "rpm", "ppm", "Tor", "",
    "Nm", "###", "kΩ", "m/S\\super2\\super", "kg/cm\\super2\\super", "hPa", "μ", "N/mm\\super2\\super", "μA", "μV",
    "km/h",
};

const char* AsciiText(int index)
{
    return index >= 0 && index < kCount ? kAsciiTexts[index] : "";
}

const char* DisplayText(int index)
{
    return index >= 0 && index < kCount ? kDisplayTexts[index] : "";
}

} // namespace engunit
