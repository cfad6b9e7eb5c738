#include "tests/emulator/StandardCommands.h"

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>

namespace kivemu {

const char* const kSettingWords[] = {
    "LPF", "RNG", "SSM", "CLK", "MRY", "MRY-", "TGL", "ADR", "ATT", "SEN", "VMD", "EQU",
    "CFF", "UNT", "RJC", "CAP", "R_O", "PNT", "FPS", "CDWF", "THD", "BFS", "OUTF", "HPF",
    "DMC", "OPH", "FUL", "HYS", "OPR", "MCL", "SLX", "CFM", nullptr};

namespace {

Reply Ok()
{
    return Reply::Line("OK");
}

Reply Version(const Command&, DeviceState& s)
{
    return Reply::Line(s.model + " VER " + s.firmware);
}

Reply Status(const Command&, DeviceState& s)
{
    return Reply::Line(std::to_string(s.state) + "," + std::to_string(s.cardStatus));
}

// "STA3": at least seven characters, the serial number from the fourth on,
// as the USB link reads it to find each device.
Reply SerialNumber(const Command&, DeviceState& s)
{
    char text[32];
    std::snprintf(text, sizeof text, "SN:%04d", s.unitAddress);
    return Reply::Line(text);
}

// "STA2": the model text of every port, seven characters at a pitch of eight.
Reply ConnectedUnits(const Command&, DeviceState& s)
{
    std::string line;
    for (int port = 0; port < DeviceState::kPorts; ++port) {
        if (port > 0)
            line += ',';
        line += ModelName(s.unitTypes[static_cast<size_t>(port)]);
    }
    return Reply::Line(line);
}

// "Z-IPPORT-SET a.b.c.d/port+m.m.m.m[/g.g.g.g]", each octet in three digits.
Reply SetAddress(const Command& c, DeviceState& s)
{
    static const std::regex form(R"( (\d{3}\.){3}\d{3}/\d{1,5}\+(\d{3}\.){3}\d{3}(/(\d{3}\.){3}\d{3})?)");
    if (!std::regex_match(c.text, form))
        return Reply::Error(kErrParameter);
    s.ipPortSetting = c.text.substr(1);
    return Reply::Line("OK");
}

// "PWE?" names the firmware file found on the card; "PWE" rewrites the
// firmware from it and reports the end.
Reply FirmwareFile(const Command&, DeviceState& s)
{
    return s.firmwareFile.empty() ? Reply::Error(kErrParameter) : Reply::Line(s.firmwareFile);
}

Reply FirmwareUpdate(const Command&, DeviceState& s)
{
    return s.firmwareFile.empty() ? Reply::Error(kErrParameter) : Reply::Line("END");
}

Reply AnalysisState(const Command&, DeviceState& s)
{
    return Reply::Line(std::to_string(s.analysisState));
}

// "STA4": one five-character field per port, the unit's firmware or "----".
Reply UnitVersions(const Command&, DeviceState& s)
{
    std::string line;
    for (int port = 0; port < DeviceState::kPorts; ++port) {
        std::string field = s.unitTypes[port] == 0 || s.unitFirmware[port].empty()
                                ? std::string("----")
                                : s.unitFirmware[port].substr(0, 4);
        field.resize(4, ' ');
        line += field;
        if (port + 1 < DeviceState::kPorts)
            line += ',';
    }
    return Reply::Line(line);
}

Reply ResetSelection(const Command&, DeviceState& s)
{
    s.selection.clear();
    return Ok();
}

// Parses a whole decimal number; false on anything else.
bool ParseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000)
        return false;
    value = static_cast<int>(v);
    return true;
}

// "SET<first>;<last>" or "SET<first>" adds a run of channels, 1-based.
Reply AddSelection(const Command& c, DeviceState& s)
{
    const size_t semicolon = c.text.find(';');
    int first = 0;
    int last = 0;
    if (!ParseInt(c.text.substr(0, semicolon), first))
        return Reply::Error(kErrParameter);
    if (semicolon == std::string::npos)
        last = first;
    else if (!ParseInt(c.text.substr(semicolon + 1), last))
        return Reply::Error(kErrParameter);
    const int channels = DeviceState::kPorts * DeviceState::kChannelsPerPort;
    if (first < 1 || last < first || last > channels)
        return Reply::Error(kErrParameter);
    for (int ch = first; ch <= last; ++ch)
        s.selection.push_back(ch);
    return Ok();
}

Reply StoreSetting(const Command& c, DeviceState& s)
{
    s.settings[c.word] = c.text;
    return Ok();
}

Reply AnswerSetting(const Command& c, DeviceState& s)
{
    const std::string word = c.word.substr(0, c.word.size() - 1);
    const auto it = s.settings.find(word);
    return Reply::Line(it == s.settings.end() ? std::string("0") : it->second);
}

// "BDT<count>": a raw block of count rows, each with a sample of every
// selected channel at its width; no reply line. With nothing selected a row
// is one sample of the default width.
Reply DataBlock(const Command& c, DeviceState& s)
{
    int count = 0;
    if (!ParseInt(c.text, count) || count < 0 || count > 1000000)
        return Reply::Error(kErrParameter);
    size_t rowBytes = 0;
    for (int ch : SelectedUnitChannels(s))
        rowBytes += static_cast<size_t>(s.channelBytes[static_cast<size_t>(ch - 1)]);
    if (rowBytes == 0)
        rowBytes = static_cast<size_t>(s.sampleBytes);
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * rowBytes);
    for (uint8_t& b : bytes)
        b = DeviceState::PatternByte(s.streamPosition++);
    return Reply::Block(std::move(bytes));
}

} // namespace

std::string ModelName(int typeCode)
{
    switch (typeCode) {
    case 1: return "KIV-417";
    case 2: return "KIV-427";
    case 3: return "KIV-437";
    case 4: return "KIV-418";
    case 5: return "KIV-464";
    case 7: return "KIV-465";
    case 8: return "KIV-463";
    case 9: return "KIV-473";
    case 10: return "KIV-419";
    default: return "-------";
    }
}

std::vector<int> SelectedUnitChannels(const DeviceState& s)
{
    std::vector<int> out;
    for (int ch : std::set<int>(s.selection.begin(), s.selection.end())) {
        const int port = (ch - 1) / DeviceState::kChannelsPerPort;
        if (port >= 0 && port < DeviceState::kPorts && s.unitTypes[static_cast<size_t>(port)] != 0)
            out.push_back(ch);
    }
    return out;
}

void AddStandardCommands(CommandTable& table)
{
    table.Add("VER", Version);
    table.Add("STA1", Status);
    table.Add("STA2", ConnectedUnits);
    table.Add("STA3", SerialNumber);
    table.Add("STA4", UnitVersions);
    table.Add("STA10", AnalysisState);
    table.Add("RES", ResetSelection);
    table.Add("SET", AddSelection);
    for (const char* const* word = kSettingWords; *word; ++word) {
        table.Add(*word, StoreSetting);
        table.Add(std::string(*word) + "?", AnswerSetting);
    }
    table.Add("BDT", DataBlock);
    table.Add("Z-IPPORT-SET", SetAddress);
    table.Add("PWE?", FirmwareFile);
    table.Add("PWE", FirmwareUpdate);
}

} // namespace kivemu
