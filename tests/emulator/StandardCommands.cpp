#include "tests/emulator/StandardCommands.h"

#include <cstdio>
#include <cstdlib>
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

Reply UnitAddress(const Command&, DeviceState& s)
{
    return Reply::Line(std::to_string(s.unitAddress));
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

// "BDT<count>": a raw block of count samples, no reply line.
Reply DataBlock(const Command& c, DeviceState& s)
{
    int count = 0;
    if (!ParseInt(c.text, count) || count < 0 || count > 1000000)
        return Reply::Error(kErrParameter);
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * static_cast<size_t>(s.sampleBytes));
    for (uint8_t& b : bytes)
        b = DeviceState::PatternByte(s.streamPosition++);
    return Reply::Block(std::move(bytes));
}

} // namespace

void AddStandardCommands(CommandTable& table)
{
    table.Add("VER", Version);
    table.Add("STA1", Status);
    table.Add("STA3", UnitAddress);
    table.Add("STA4", UnitVersions);
    table.Add("STA10", AnalysisState);
    table.Add("RES", ResetSelection);
    table.Add("SET", AddSelection);
    for (const char* const* word = kSettingWords; *word; ++word) {
        table.Add(*word, StoreSetting);
        table.Add(std::string(*word) + "?", AnswerSetting);
    }
    table.Add("BDT", DataBlock);
}

} // namespace kivemu
