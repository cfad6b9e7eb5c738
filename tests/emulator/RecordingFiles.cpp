#include "tests/emulator/RecordingFiles.h"

#include "tests/emulator/StandardCommands.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace kivemu {

namespace {

// Per series, the text a setting word last carried for the channel, or a
// fallback for a channel never given one.
std::string SeriesList(const MeterDevice& meter, const std::vector<int>& channels, const std::string& word,
                       const std::string& fallback)
{
    const auto texts = meter.channelSettings.find(word);
    std::string list;
    for (size_t i = 0; i < channels.size(); ++i) {
        const std::string stored =
            texts == meter.channelSettings.end() ? std::string() : texts->second[static_cast<size_t>(channels[i] - 1)];
        list += (i == 0 ? "" : ",") + (stored.empty() ? fallback : stored);
    }
    return list;
}

// The unit's engineering units by the index "UNT" carries, as the header
// names them.
std::string UnitText(const std::string& index)
{
    static const char* const kUnits[] = {
        "ue", "mm", "cm", "m", "C", "F", "deg", "gf", "kgf", "tf",
        "N", "kN", "MN", "kg/mm2", "kPa", "MPa", "kgm", "mV", "V", "mA",
        "A", "ohm", "Mohm", "Hz", "G", "%", "rpm", "ppm", "Tor", " ",
        "Nm", "###", "kohm", "m/S2", "kg/cm2", "hPa", "u", "N/mm2", "uA", "uV",
        "km/h",
    };
    const int i = std::atoi(index.c_str());
    return i >= 0 && i < static_cast<int>(std::size(kUnits)) && !index.empty() ? kUnits[i] : " ";
}

std::string TriggerType(const std::string& word)
{
    if (word == "DTG")
        return "DATA";
    if (word == "PRN")
        return "PROGRAME";
    return "COMMAND";
}

// " yy/mm/dd hh:mm:ss" as the header's DATE and TIME.
void DateAndTime(const std::string& start, std::string& date, std::string& time)
{
    int f[6] = {9, 12, 31, 23, 59, 59};
    std::sscanf(start.c_str(), " %d/%d/%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", f[1] % 100, f[2] % 100, 2000 + f[0] % 100);
    date = text;
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", f[3] % 100, f[4] % 100, f[5] % 100);
    time = text;
}

} // namespace

RecordingFiles MakeRecordingFiles(const MeasureDevice& m, const MeterDevice& meter, const DeviceState& s)
{
    const std::vector<int> channels = SelectedUnitChannels(s);
    std::string units;
    for (int port = 0; port < DeviceState::kPorts; ++port)
        units += (port == 0 ? "" : " ") + ModelName(s.unitTypes[static_cast<size_t>(port)]);
    std::string series;
    std::string zeros;
    std::string bits;
    size_t rowBytes = 0;
    char text[32];
    for (size_t i = 0; i < channels.size(); ++i) {
        std::snprintf(text, sizeof text, "CH_%03d", channels[i]);
        const int width = s.channelBytes[static_cast<size_t>(channels[i] - 1)];
        series += (i == 0 ? "" : ",") + std::string(text);
        zeros += i == 0 ? "0" : ",0";
        bits += (i == 0 ? "" : ",") + std::to_string(8 * width);
        rowBytes += static_cast<size_t>(width);
    }
    // The sampling clock of the first series: "E<n>" counts external clock
    // pulses, anything else is milliseconds.
    const std::string clock = channels.empty() ? std::string() : SeriesList(meter, {channels[0]}, "CLK", "1");
    const bool external = !clock.empty() && clock[0] == 'E';
    std::snprintf(text, sizeof text, "%g", external ? 1.0 : std::atof(clock.c_str()) / 1000.0);
    const std::string interval = text;
    std::string date;
    std::string time;
    DateAndTime(m.startTime, date, time);

    RecordingFiles files;
    auto key = [&](const std::string& name, const std::string& value) { files.header += name + " " + value + "\r\n"; };
    key("NAME", "KIV-406");
    key("UNIT_TYPE", units);
    key("VERSION", "2");
    key("SERIES", series);
    key("NUM_SERIES", std::to_string(channels.size()));
    key("DATE", date);
    key("TIME", time);
    key("INTERVAL", interval);
    key("HORZ_UNITS", external ? "SAMPLES" : "SEC");
    key("X_OFFSET", "0");
    key("Y_OFFSET", zeros);
    key("NUM_SAMPS", std::to_string(m.recorded));
    std::string vertUnits;
    for (size_t i = 0; i < channels.size(); ++i)
        vertUnits += (i == 0 ? "" : ",") + UnitText(SeriesList(meter, {channels[i]}, "UNT", ""));
    key("VERT_UNITS", vertUnits);
    key("SLOPE", SeriesList(meter, channels, "CFF", "1"));
    key("COEFFICIENT", SeriesList(meter, channels, "CFF", "1"));
    key("RATED_OUT", SeriesList(meter, channels, "R_O", ""));
    key("CAPACITY", SeriesList(meter, channels, "CAP", ""));
    key("POINT", SeriesList(meter, channels, "PNT", "0"));
    key("SENSOR_MODE", SeriesList(meter, channels, "SSM", "0"));
    key("ATTENATE", SeriesList(meter, channels, "ATT", "0"));
    key("FILTER", SeriesList(meter, channels, "LPF", "0"));
    key("BIT_LENGTH", bits);
    key("TRIGGER_TYPE", TriggerType(m.startWord));

    files.data.resize(rowBytes * static_cast<size_t>(m.recorded));
    for (size_t i = 0; i < files.data.size(); ++i)
        files.data[i] = static_cast<char>(DeviceState::PatternByte(i));
    return files;
}

} // namespace kivemu
