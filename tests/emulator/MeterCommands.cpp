#include "tests/emulator/MeterCommands.h"

#include "tests/emulator/StandardCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace kivemu {

namespace {

using DevicePtr = std::shared_ptr<MeterDevice>;

// Words whose text the unit keeps per selected channel, and their queries.
const char* const kChannelWords[] = {"LPF", "RNG", "SSM", "CLK", "MRY", "MRY-", "TGL", "ADR", "ATT", "SEN", "VMD",
                                     "EQU", "CFF", "UNT", "RJC", "CAP", "R_O", "PNT", "FPS", "CDWF", "THD", "BFS",
                                     "OUTF", "HPF", "DMC", nullptr};

const char* const kOperationNames[] = {"NONE OP", "PEAK/V", "MAX/MIN", "AMP", "TIME", "LEVEL", "RAIN", "FROM/TO"};

std::string Printf(const char* fmt, int a)
{
    char text[64];
    std::snprintf(text, sizeof text, fmt, a);
    return text;
}

std::vector<int> Numbers(const std::string& text)
{
    std::vector<int> out;
    const char* p = text.c_str();
    while (*p) {
        const bool sign = (*p == '-' || *p == '+') && std::isdigit(static_cast<unsigned char>(p[1]));
        if (!sign && !std::isdigit(static_cast<unsigned char>(*p))) {
            ++p;
            continue;
        }
        char* end = nullptr;
        out.push_back(static_cast<int>(std::strtol(p, &end, 10)));
        p = end;
    }
    return out;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The selected channels, once each, in ascending order.
std::vector<int> Selected(const DeviceState& s)
{
    const std::set<int> unique(s.selection.begin(), s.selection.end());
    return {unique.begin(), unique.end()};
}

bool HasUnit(const DeviceState& s, int channel)
{
    const int port = (channel - 1) / DeviceState::kChannelsPerPort;
    return port >= 0 && port < DeviceState::kPorts && s.unitTypes[static_cast<size_t>(port)] != 0;
}

// "SET?": one 7-character field per selected channel; a channel the unit
// does not have answers "ERRCH" and its number.
Reply ListSelection(const Command&, DeviceState& s)
{
    std::string line;
    for (int ch : Selected(s)) {
        if (!line.empty())
            line += ',';
        line += HasUnit(s, ch) ? Printf("CH  %03d", ch) : Printf("ERRCH%02d", ch % 100);
    }
    return Reply::Line(line);
}

// Threshold pairs a mode other than "free" stands for.
std::pair<int, int> Thresholds(int mode)
{
    switch (mode) {
    case 1: return {15, -15};
    case 2: return {100, -100};
    case 3: return {1000, -1000};
    case 4: return {2000, 800};
    case 5: return {3500, 1500};
    default: return {0, 0};
    }
}

// How the unit answers a stored text to its query.
std::string Answer(const std::string& word, const std::string& query, const std::string& stored)
{
    if (word == "TGL" && !stored.empty() && (stored.back() == 'U' || stored.back() == 'L'))
        return stored.back() + stored.substr(0, stored.size() - 1);
    if (word == "EQU") {
        const size_t first = stored.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : stored.substr(first);
    }
    if (word == "THD") {
        const std::vector<int> n = Numbers(stored);
        const int mode = n.empty() ? 0 : n[0];
        const std::pair<int, int> limits = mode != 0 ? Thresholds(mode)
                                                     : std::pair<int, int>{n.size() > 1 ? n[1] : 0, n.size() > 2 ? n[2] : 0};
        if (query == "THDM?")
            return std::to_string(mode);
        return std::to_string(query == "THDH?" ? limits.first : limits.second);
    }
    return stored;
}

Handler StoreForChannels(const DevicePtr& dev)
{
    return [dev](const Command& c, DeviceState& s) {
        auto& texts = dev->channelSettings[c.word];
        for (int ch : Selected(s))
            texts[static_cast<size_t>(ch - 1)] = c.text;
        return Reply::Line("OK");
    };
}

Handler AnswerForChannels(const DevicePtr& dev, const std::string& word)
{
    return [dev, word](const Command& c, DeviceState& s) {
        const auto it = dev->channelSettings.find(word);
        std::string line;
        bool first = true;
        for (int ch : Selected(s)) {
            if (!HasUnit(s, ch))
                continue;
            const std::string stored = it == dev->channelSettings.end() ? std::string() : it->second[static_cast<size_t>(ch - 1)];
            if (!first)
                line += ',';
            first = false;
            line += stored.empty() ? std::string("ERRCH") : Answer(word, c.word, stored);
        }
        return Reply::Line(line);
    };
}

Reply Ok(const Command&, DeviceState&)
{
    return Reply::Line("OK");
}

// ------------------------------------------------------------- analyses

std::vector<Analysis*> SelectedAnalyses(MeterDevice& d)
{
    std::vector<Analysis*> out;
    for (int i : std::set<int>(d.analysisSelection.begin(), d.analysisSelection.end())) {
        if (i >= 1 && i <= MeterDevice::kChannels)
            out.push_back(&d.analyses[static_cast<size_t>(i - 1)]);
    }
    return out;
}

Handler AnalysisWord(const DevicePtr& dev, void (*apply)(Analysis&, const std::vector<int>&))
{
    return [dev, apply](const Command& c, DeviceState&) {
        const std::vector<int> n = Numbers(c.text);
        if (n.empty())
            return Reply::Error(kErrParameter);
        for (Analysis* a : SelectedAnalyses(*dev))
            apply(*a, n);
        return Reply::Line("OK");
    };
}

Reply ListLines(const DevicePtr& dev, const std::string& word, std::vector<std::string> lines)
{
    const auto extra = dev->extraListLines.find(word);
    if (extra != dev->extraListLines.end())
        lines.insert(lines.end(), extra->second.begin(), extra->second.end());
    lines.push_back("END");
    Reply reply;
    reply.lines = std::move(lines);
    return reply;
}

std::string Star(int v, bool shown)
{
    return shown ? std::to_string(v) : std::string("*");
}

Reply AnalysisList(const DevicePtr& dev, const std::string& word)
{
    std::vector<std::string> lines;
    char text[128];
    for (const Analysis& a : dev->analyses) {
        if (word == "LST1") {
            std::snprintf(text, sizeof text, "%d,%d,0,0,0,0,0.0", a.fullScale, a.hysteresis);
        } else if (word == "LST4") {
            const char* name = a.operation >= 0 && a.operation < 8 ? kOperationNames[a.operation] : "NONE OP";
            std::snprintf(text, sizeof text, "%-7s %s,%d,0,0,%d,%d,0,0,0,0,0", name, Star(a.timeBase, a.operation == 4).c_str(),
                          a.input, a.plusSlice, a.minusSlice);
        } else {
            std::snprintf(text, sizeof text, "%s", Star(a.offset, a.operation == 2).c_str());
        }
        lines.push_back(text);
    }
    return ListLines(dev, word, std::move(lines));
}

Reply ProgramList(const DevicePtr& dev)
{
    std::vector<std::string> lines;
    const std::vector<int> start = Numbers(dev->programStart);
    char text[64];
    if (start.size() == 4)
        std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", start[0], start[1], start[2], start[3]);
    else
        std::snprintf(text, sizeof text, "**/** **:**");
    lines.push_back(text);
    for (const auto& t : {dev->measureTime, dev->intervalTime}) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", t[0], t[1], t[2]);
        lines.push_back(text);
    }
    lines.push_back(std::to_string(dev->cycles));
    return ListLines(dev, "LST6", std::move(lines));
}

// ------------------------------------------------------------------ files

RecordedFile* FindFile(MeterDevice& d, const std::string& name)
{
    for (RecordedFile& f : d.files) {
        if (Lower(f.name) == Lower(name))
            return &f;
    }
    return nullptr;
}

// "HDB<n>": the counts of frequency number n as a block of 32-bit words,
// one per slice of both sides (each side twice but for the operations that
// count once).
Reply HistogramBlock(MeterDevice& d, const std::string& text)
{
    const std::vector<int> n = Numbers(text);
    if (n.size() != 1 || n[0] < 1 || n[0] > MeterDevice::kChannels)
        return Reply::Error(kErrParameter);
    const Analysis& a = d.analyses[static_cast<size_t>(n[0] - 1)];
    int words = std::max(0, a.plusSlice) + std::max(0, a.minusSlice);
    if (a.operation != 4 && a.operation != 6)
        words *= 2;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < words; ++i) {
        const uint32_t count = static_cast<uint32_t>(n[0]) * 1000u + static_cast<uint32_t>(i);
        for (int b = 0; b < 4; ++b)
            bytes.push_back(static_cast<uint8_t>(count >> (8 * b)));
    }
    return Reply::Block(std::move(bytes));
}

void AddAnalysisCommands(ControlUnit& unit, const DevicePtr& dev)
{
    unit.AddCommand("RSV", [dev](const Command&, DeviceState&) {
        dev->analysisSelection.clear();
        return Reply::Line("OK");
    });
    unit.AddCommand("VDT", [dev](const Command& c, DeviceState&) {
        const std::vector<int> n = Numbers(c.text);
        if (n.empty() || n[0] < 1 || (n.size() > 1 && (n[1] < n[0] || n[1] > MeterDevice::kChannels)))
            return Reply::Error(kErrParameter);
        for (int i = n[0]; i <= (n.size() > 1 ? n[1] : n[0]); ++i)
            dev->analysisSelection.push_back(i);
        return Reply::Line("OK");
    });
    unit.AddCommand("OPH", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) { a.input = n[0]; }));
    unit.AddCommand("FUL", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) { a.fullScale = n[0]; }));
    unit.AddCommand("HYS", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) { a.hysteresis = n[0]; }));
    unit.AddCommand("MCL", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) { a.offset = n[0]; }));
    unit.AddCommand("OPR", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) {
        a.operation = n[0];
        if (n.size() > 1)
            a.timeBase = n[1];
    }));
    unit.AddCommand("SLX", AnalysisWord(dev, [](Analysis& a, const std::vector<int>& n) {
        a.plusSlice = n[0];
        a.minusSlice = n.size() > 1 ? n[1] : 0;
    }));
    unit.AddCommand("MEM", [dev](const Command& c, DeviceState&) {
        dev->memory = c.text;
        return Reply::Line("OK");
    });
    for (const char* word : {"LST1", "LST4", "LST5"})
        unit.AddCommand(word, [dev, w = std::string(word)](const Command&, DeviceState&) { return AnalysisList(dev, w); });
    unit.AddCommand("LST3", [dev](const Command&, DeviceState&) { return ListLines(dev, "LST3", {"1,2"}); });
    unit.AddCommand("LST6", [dev](const Command&, DeviceState&) { return ProgramList(dev); });
    unit.AddCommand("HDB", [dev](const Command& c, DeviceState&) { return HistogramBlock(*dev, c.text); });
}

void AddProgramCommands(ControlUnit& unit, const DevicePtr& dev)
{
    unit.AddCommand("PST", [dev](const Command& c, DeviceState&) {
        dev->programStart = c.text;
        return Reply::Line("OK");
    });
    auto three = [dev](std::array<int, 3> MeterDevice::*field) {
        return [dev, field](const Command& c, DeviceState&) {
            const std::vector<int> n = Numbers(c.text);
            if (n.size() != 3)
                return Reply::Error(kErrParameter);
            (*dev.*field) = {n[0], n[1], n[2]};
            return Reply::Line("OK");
        };
    };
    unit.AddCommand("PMA", three(&MeterDevice::measureTime));
    unit.AddCommand("PIV", three(&MeterDevice::intervalTime));
    unit.AddCommand("PCY", [dev](const Command& c, DeviceState&) {
        const std::vector<int> n = Numbers(c.text);
        if (n.size() != 1)
            return Reply::Error(kErrParameter);
        dev->cycles = n[0];
        return Reply::Line("OK");
    });
}

void AddFileCommands(ControlUnit& unit, const DevicePtr& dev)
{
    unit.AddCommand("FLN", [dev](const Command&, DeviceState&) {
        return Reply::Line(std::to_string(dev->files.size()) + "," + std::to_string(dev->fileNumber));
    });
    // "DIR" lists every recorded file, "DIR <name>.<ext>" only that one.
    unit.AddCommand("DIR", [dev](const Command& c, DeviceState&) {
        const size_t first = c.text.find_first_not_of(' ');
        const std::string only = first == std::string::npos ? std::string() : Lower(c.text.substr(first));
        std::vector<std::string> lines;
        for (const RecordedFile& f : dev->files) {
            if (only.empty() || Lower(f.name) == only)
                lines.push_back(f.name + "," +
                                std::to_string(f.listedSize >= 0 ? f.listedSize : static_cast<int>(f.bytes.size())));
        }
        return ListLines(dev, "DIR", std::move(lines));
    });
    unit.AddCommand("DAT", [dev](const Command& c, DeviceState&) {
        const RecordedFile* f = FindFile(*dev, c.text);
        return f ? Reply::Block(f->bytes) : Reply::Error(kErrCommand);
    });
}

void AddStatusCommands(ControlUnit& unit, const DevicePtr& dev)
{
    unit.AddCommand("STA1", [dev](const Command&, DeviceState& s) {
        std::string line = std::to_string(s.state) + "," + std::to_string(s.cardStatus);
        if (dev->programValue >= 0)
            line += "," + std::to_string(dev->programValue);
        return Reply::Line(line);
    });
    // "CUN <n>,<value>" sets total n (1 or 2: the cycle count is total 1);
    // "CUN <n>?" answers both totals, eight characters each, the first one
    // first.
    unit.AddCommand("CUN", [dev](const Command& c, DeviceState&) {
        if (!c.text.empty() && c.text.back() == '?') {
            char text[32];
            std::snprintf(text, sizeof text, "%8d,%8d", dev->unitTotals[0], dev->unitTotals[1]);
            return Reply::Line(text);
        }
        const std::vector<int> n = Numbers(c.text);
        if (n.size() != 2 || (n[0] != 1 && n[0] != 2))
            return Reply::Error(kErrParameter);
        dev->unitTotals[n[0] - 1] = n[1];
        return Reply::Line("OK");
    });
}

} // namespace

void AddMeterCommands(ControlUnit& unit, const DevicePtr& device)
{
    unit.AddCommand("SET?", ListSelection);
    for (const char* const* word = kChannelWords; *word; ++word) {
        unit.AddCommand(*word, StoreForChannels(device));
        unit.AddCommand(std::string(*word) + "?", AnswerForChannels(device, *word));
    }
    for (const char* query : {"THDM?", "THDH?", "THDL?"})
        unit.AddCommand(query, AnswerForChannels(device, "THD"));
    for (const char* check : {"CHK0", "CHK1", "CHK2", "CHK3", "CHK4", "CHK5"}) {
        unit.AddCommand(check, [](const Command&, DeviceState& s) {
            std::string line;
            for (int ch : Selected(s)) {
                if (HasUnit(s, ch))
                    line += line.empty() ? "0" : ",0";
            }
            return Reply::Line(line);
        });
    }
    for (const char* word : {"CAL", "CDO", "BAL", "ETG", "TRG"})
        unit.AddCommand(word, Ok);
    AddAnalysisCommands(unit, device);
    AddProgramCommands(unit, device);
    AddFileCommands(unit, device);
    AddStatusCommands(unit, device);
}

MeterEmulator::MeterEmulator(ControlUnit& unit) : m_unit(unit), m_device(std::make_shared<MeterDevice>())
{
    AddMeterCommands(unit, m_device);
}

void MeterEmulator::AddFile(const std::string& name, const std::string& bytes, int listedSize)
{
    With([&](MeterDevice& d, DeviceState&) {
        d.files.push_back({name, std::vector<uint8_t>(bytes.begin(), bytes.end()), listedSize});
    });
}

} // namespace kivemu
