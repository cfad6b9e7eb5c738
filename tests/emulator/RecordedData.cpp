#include "tests/emulator/RecordedData.h"

#include "tests/emulator/StandardCommands.h"

#include <cstdio>
#include <cstdlib>

namespace kivemu {

namespace {

constexpr uint64_t kNoValueEvery = 97;

void PutLittleEndian(std::vector<uint8_t>& out, int32_t value, int bytes)
{
    const auto u = static_cast<uint32_t>(value);
    for (int b = 0; b < bytes; ++b)
        out.push_back(static_cast<uint8_t>(u >> (8 * b)));
}

std::string Joined(size_t n, const std::vector<std::string>& items, const std::string& fallback)
{
    std::string list;
    for (size_t i = 0; i < n; ++i) {
        const std::string item = i < items.size() && !items[i].empty() ? items[i] : fallback;
        list += (i == 0 ? "" : ",") + item;
    }
    return list;
}

bool ParseCount(const std::string& text, uint64_t& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12)
        return false;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return true;
}

} // namespace

int32_t RecordedSample(uint64_t row, int series, int bytes)
{
    if (row % kNoValueEvery == static_cast<uint64_t>(series) % kNoValueEvery)
        return bytes == 2 ? 32767 : 2147483647;
    if (bytes == 2)
        return static_cast<int32_t>((row * 13 + static_cast<uint64_t>(series) * 1009) % 60001) - 30000;
    return static_cast<int32_t>((row * 100003 + static_cast<uint64_t>(series) * 7919) % 2000000001) - 1000000000;
}

std::vector<uint8_t> RecordedRows(const std::vector<int>& widths, uint64_t first, uint64_t count)
{
    // Each series' value steps by a constant modulo its period from row to
    // row, so the rows of a large block come from additions rather than two
    // divisions per sample: the emulator's own cost counts in every
    // transfer it serves. RecordedSample stays the definition.
    struct Series {
        uint64_t residue;
        uint64_t step;
        uint64_t period;
        int64_t bias;
        uint64_t noValuePhase;  // row % 97 at which the series has no value
        uint32_t noValue;
        int bytes;
    };
    std::vector<Series> series;
    size_t rowBytes = 0;
    for (size_t s = 0; s < widths.size(); ++s) {
        const bool narrow = widths[s] == 2;
        const uint64_t period = narrow ? 60001 : 2000000001;
        const uint64_t step = narrow ? 13 : 100003;
        const uint64_t shift = narrow ? 1009 : 7919;
        const uint64_t residue = ((first % period) * step + s * shift) % period;
        series.push_back({residue, step, period, narrow ? 30000 : 1000000000, s % kNoValueEvery,
                          narrow ? 32767u : 2147483647u, widths[s]});
        rowBytes += static_cast<size_t>(widths[s]);
    }
    std::vector<uint8_t> out(rowBytes * count);
    uint8_t* p = out.data();
    uint64_t phase = first % kNoValueEvery;
    for (uint64_t r = 0; r < count; ++r) {
        for (Series& s : series) {
            const uint32_t value = phase == s.noValuePhase
                                       ? s.noValue
                                       : static_cast<uint32_t>(static_cast<int64_t>(s.residue) - s.bias);
            if (s.bytes == 2 || s.bytes == 4) {
                p[0] = static_cast<uint8_t>(value);
                p[1] = static_cast<uint8_t>(value >> 8);
                if (s.bytes == 4) {
                    p[2] = static_cast<uint8_t>(value >> 16);
                    p[3] = static_cast<uint8_t>(value >> 24);
                }
            } else {
                for (int b = 0; b < s.bytes; ++b)
                    p[b] = static_cast<uint8_t>(value >> (8 * b));
            }
            p += s.bytes;
            s.residue += s.step;
            if (s.residue >= s.period)
                s.residue -= s.period;
        }
        if (++phase == kNoValueEvery)
            phase = 0;
    }
    return out;
}

RecordedSet MakeRecordedSet(const RecordedSetSpec& spec)
{
    const size_t n = spec.channels.size();
    std::string units;
    for (size_t p = 0; p < spec.unitTypes.size(); ++p)
        units += (p == 0 ? "" : " ") + ModelName(spec.unitTypes[p]);
    std::vector<std::string> series;
    std::vector<std::string> bits;
    char text[32];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(text, sizeof text, "CH_%03d", spec.channels[i]);
        series.push_back(text);
        bits.push_back(std::to_string(8 * (i < spec.widths.size() ? spec.widths[i] : 2)));
    }
    RecordedSet set;
    auto key = [&](const std::string& name, const std::string& value) { set.header += name + " " + value + "\r\n"; };
    key("NAME", "KIV-406");
    key("UNIT_TYPE", units);
    key("VERSION", "2");
    key("SERIES", Joined(n, series, ""));
    key("NUM_SERIES", std::to_string(n));
    key("DATE", spec.date);
    key("TIME", spec.time);
    key("INTERVAL", "0.001");
    key("HORZ_UNITS", "SEC");
    key("X_OFFSET", "0");
    key("Y_OFFSET", Joined(n, {}, "0"));
    key("NUM_SAMPS", std::to_string(spec.samples));
    key("VERT_UNITS", Joined(n, {}, "V"));
    key("SLOPE", Joined(n, spec.coefficients, "1"));
    key("COEFFICIENT", Joined(n, spec.coefficients, "1"));
    key("RATED_OUT", Joined(n, {}, ""));
    key("CAPACITY", Joined(n, {}, ""));
    key("POINT", Joined(n, {}, "3"));
    key("SENSOR_MODE", Joined(n, {}, "0"));
    key("ATTENATE", Joined(n, {}, "0"));
    key("FILTER", Joined(n, {}, "0"));
    if (spec.withBitLength)
        key("BIT_LENGTH", Joined(n, bits, "16"));
    key("TRIGGER_TYPE", "COMMAND");
    std::vector<int> widths;
    for (size_t i = 0; i < n; ++i)
        widths.push_back(i < spec.widths.size() ? spec.widths[i] : 2);
    set.data = RecordedRows(widths, 0, static_cast<uint64_t>(spec.samples < 0 ? 0 : spec.samples));
    return set;
}

const double kGpsSlopes[8] = {1e-7, 1e-7, 0.01, 0.001, 1, 0.01, 0.001, 0.001};

int32_t GpsField(uint64_t record, int field)
{
    switch (field) {
    case 3:  // milliseconds within the week
        return static_cast<int32_t>((record * 100 + 3600000) % 604800000);
    case 4:  // GPS week
        return static_cast<int32_t>(2200 + record / 100000);
    default:
        return static_cast<int32_t>((record * 7919 + static_cast<uint64_t>(field) * 104729) % 2000000) - 1000000;
    }
}

std::vector<uint8_t> MakeGpsFile(int records, int offset, int listedSamples, const std::string& leaveOut)
{
    std::string header;
    auto key = [&](const std::string& name, const std::string& value) {
        if (name != leaveOut)
            header += name + " " + value + "\r\n";
    };
    key("FILE_OFFSET", std::to_string(offset));
    key("NUM_SAMPS", std::to_string(listedSamples < 0 ? records : listedSamples));
    key("SERIES", "lon,lat,ele,sec,week,vel,acc_x,acc_y");
    key("VERT_UNITS", "deg,deg,m,s,w,km/h,G,G");
    key("SLOPE", "1e-07,1e-07,0.01,0.001,1,0.01,0.001,0.001,");
    key("POINT", "7,6,2,3,0,1,3,4,");
    std::vector<uint8_t> out(header.begin(), header.end());
    out.resize(static_cast<size_t>(offset), ' ');
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < 8; ++f)
            PutLittleEndian(out, GpsField(static_cast<uint64_t>(r), f), 4);
    }
    return out;
}

std::vector<uint8_t> CanBlock(const std::vector<CanFrame>& frames, int length)
{
    std::vector<uint8_t> out(2, 0);
    for (const CanFrame& f : frames) {
        PutLittleEndian(out, static_cast<int32_t>(f.time), 4);
        out.push_back(static_cast<uint8_t>(f.slot));
        out.push_back(static_cast<uint8_t>(f.data.size()));
        out.insert(out.end(), f.data.begin(), f.data.end());
    }
    const auto n = static_cast<uint16_t>(length < 0 ? static_cast<int>(out.size()) : length);
    out[0] = static_cast<uint8_t>(n & 0xFF);
    out[1] = static_cast<uint8_t>(n >> 8);
    return out;
}

std::vector<uint8_t> MakeCanFile(const std::string& database, const std::vector<std::vector<uint8_t>>& blocks,
                                 int offset)
{
    std::string text = "FILE_OFFSET ";
    char number[16];
    // The offset is written in a fixed width, so the text's length does
    // not depend on it.
    const size_t textBytes = text.size() + 8 + database.size();
    std::snprintf(number, sizeof number, "%6d\r\n", offset > 0 ? offset : static_cast<int>(textBytes));
    text += number + database;
    std::vector<uint8_t> out(text.begin(), text.end());
    if (offset > 0)
        out.resize(static_cast<size_t>(offset), ' ');
    for (const auto& block : blocks)
        out.insert(out.end(), block.begin(), block.end());
    return out;
}

void AddMemoryReadout(ControlUnit& unit, const std::shared_ptr<MemoryRecording>& memory)
{
    unit.AddCommand("ADR", [memory](const Command& c, DeviceState&) {
        uint64_t row = 0;
        if (!ParseCount(c.text, row) || row > memory->rows)
            return Reply::Error(kErrParameter);
        memory->address = row;
        return Reply::Line("OK");
    });
    unit.AddCommand("BDT", [memory](const Command& c, DeviceState&) {
        uint64_t count = 0;
        if (!ParseCount(c.text, count) || memory->address + count > memory->rows)
            return Reply::Error(kErrParameter);
        return Reply::Block(RecordedRows(memory->widths, memory->address, count));
    });
}

} // namespace kivemu
