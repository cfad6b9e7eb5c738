#include "tests/emulator/MeasurementCommands.h"

#include "tests/emulator/RecordingFiles.h"
#include "tests/emulator/StandardCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>

namespace kivemu {

namespace {

using MeterPtr = std::shared_ptr<MeterDevice>;
using MeasurePtr = std::shared_ptr<MeasureDevice>;
using Phase = MeasureDevice::Phase;

// What the unit answers to "EOC" before its trigger came.
constexpr int kErrNotTriggered = 2;

Reply Ok()
{
    return Reply::Line("OK");
}

// " yy/mm/dd hh:mm:ss" of the local time, as "TTM" answers.
std::string ClockNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, " %02d/%02d/%02d %02d:%02d:%02d", local.tm_year % 100, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::vector<int> SelectedChannels(const DeviceState& s)
{
    const std::set<int> unique(s.selection.begin(), s.selection.end());
    return {unique.begin(), unique.end()};
}

void EndRecording(MeasureDevice& m, MeterDevice& meter, DeviceState& s)
{
    m.phase = Phase::Standby;
    s.state = 1;
    if (meter.programValue > 0)
        meter.programValue = 0;
    if (!m.filesOnEnd.empty()) {
        for (const auto& [name, bytes] : m.filesOnEnd.front())
            meter.files.push_back({name, std::vector<uint8_t>(bytes.begin(), bytes.end()), -1});
        m.filesOnEnd.erase(m.filesOnEnd.begin());
        ++meter.fileNumber;
    } else if (m.writesRecordings) {
        const RecordingFiles written = MakeRecordingFiles(m, meter, s);
        char name[16];
        std::snprintf(name, sizeof name, "A%04d", meter.fileNumber + 1);
        meter.files.push_back({std::string(name) + ".hed",
                               std::vector<uint8_t>(written.header.begin(), written.header.end()), -1});
        meter.files.push_back({std::string(name) + ".dat",
                               std::vector<uint8_t>(written.data.begin(), written.data.end()), -1});
        ++meter.fileNumber;
    }
}

void StartWriting(MeasureDevice& m, MeterDevice& meter, DeviceState& s)
{
    if (m.writingPolls <= 0) {
        EndRecording(m, meter, s);
        return;
    }
    m.phase = Phase::Writing;
    m.countdown = m.writingPolls;
    s.state = 4;
}

// One poll's worth of progress.
void Step(MeasureDevice& m, MeterDevice& meter, DeviceState& s)
{
    switch (m.phase) {
    case Phase::Standby:
        break;
    case Phase::Waiting:
        if (m.programRun && meter.programValue == 0 && --m.countdown <= 0) {
            meter.programValue = 1;
            m.countdown = m.triggerPolls;
            break;
        }
        if (m.programRun && meter.programValue == 0)
            break;
        if (m.countdown > 0) {
            --m.countdown;
            s.state = 2;
            break;
        }
        m.phase = Phase::Recording;
        m.triggered = true;
        if (m.clockRuns)
            m.startTime = ClockNow();
        s.state = 3;
        break;
    case Phase::Recording: {
        // A recording started by a test's script has no length of its own.
        const int length = m.recordingLength > 0 ? m.recordingLength : m.dataCount;
        m.recorded = std::min(length, m.recorded + m.samplesPerPoll);
        m.elapsedSeconds += m.secondsPerPoll;
        if (m.recorded >= length)
            StartWriting(m, meter, s);
        break;
    }
    case Phase::Writing:
        if (--m.countdown <= 0)
            EndRecording(m, meter, s);
        break;
    }
}

// The samples a recording holds: the data count the program set with "MRY"
// (the largest one, should channels differ), else the script's.
int RecordingLength(const MeasureDevice& m, const MeterDevice& meter, const DeviceState& s)
{
    const auto it = meter.channelSettings.find("MRY");
    int longest = 0;
    if (it != meter.channelSettings.end()) {
        for (int ch = 1; ch <= MeterDevice::kChannels; ++ch) {
            const std::string& text = it->second[static_cast<size_t>(ch - 1)];
            const int port = (ch - 1) / DeviceState::kChannelsPerPort;
            if (!text.empty() && s.unitTypes[static_cast<size_t>(port)] != 0)
                longest = std::max(longest, std::atoi(text.c_str()));
        }
    }
    return longest > 0 ? longest : m.dataCount;
}

void Arm(MeasureDevice& m, const MeterDevice& meter, DeviceState& s, const std::string& word)
{
    const bool program = word == "PRN";
    m.startWord = word;
    m.recordingLength = RecordingLength(m, meter, s);
    m.phase = Phase::Waiting;
    m.countdown = program ? m.programPolls : m.triggerPolls;
    m.programRun = program;
    m.recorded = 0;
    m.elapsedSeconds = 0;
    m.triggered = false;
    s.state = program ? 1 : 2;
}

// The voltage output unit drives its channels and measures nothing, so
// its selected channels carry no current value.
constexpr int kVoltageOutputUnit = 3;

std::vector<int> MeasuredChannels(const DeviceState& s)
{
    std::vector<int> out;
    for (int ch : SelectedUnitChannels(s)) {
        const int port = (ch - 1) / DeviceState::kChannelsPerPort;
        if (s.unitTypes[static_cast<size_t>(port)] != kVoltageOutputUnit)
            out.push_back(ch);
    }
    return out;
}

std::string CurrentValues(MeasureDevice& m, const DeviceState& s)
{
    std::string line;
    for (int ch : MeasuredChannels(s)) {
        if (!line.empty())
            line += ',';
        line += std::to_string(m.RawValue(ch));
    }
    ++m.valueRequests;
    return line;
}

std::string BalanceLine(MeasureDevice& m, const DeviceState& s)
{
    std::string line;
    for (int ch : SelectedChannels(s)) {
        const auto it = m.balanceResults.find(ch);
        std::string field = it == m.balanceResults.end() ? std::string("   0.00") : it->second;
        field.resize(7, ' ');
        if (it == m.balanceResults.end())
            m.zero[ch] += m.RawValue(ch);
        if (!line.empty())
            line += ',';
        line += field;
    }
    return line;
}

// "DTE 09;12;31" / "TME 23;59;59": three two-digit fields.
bool ClockText(const std::string& text, std::string& kept)
{
    const std::string t = !text.empty() && text[0] == ' ' ? text.substr(1) : text;
    if (t.size() != 8 || t[2] != ';' || t[5] != ';')
        return false;
    for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u}) {
        if (!std::isdigit(static_cast<unsigned char>(t[i])))
            return false;
    }
    kept = t;
    return true;
}

// The commands a master passes on to the units that follow it.
Reply StartOrHalt(const std::string& word, MeasureDevice& m, MeterDevice& meter, DeviceState& s)
{
    if (word == "HLT") {
        if (meter.programValue > 0)
            meter.programValue = 0;
        if (m.phase == Phase::Waiting || m.phase == Phase::Recording)
            StartWriting(m, meter, s);
        return Ok();
    }
    const bool program = word == "PRN";
    if (m.phase != Phase::Standby)
        return Reply::Error(kErrMeasuring);
    Arm(m, meter, s, word);
    if (program)
        meter.programValue = 0;
    return Ok();
}

void AddStartCommands(ControlUnit& unit, const MeterPtr& meter, const MeasurePtr& m)
{
    for (const char* word : {"TRG", "DTG", "PRN", "HLT"}) {
        unit.AddCommand(word, [meter, m, w = std::string(word)](const Command&, DeviceState& s) {
            Reply reply = StartOrHalt(w, *m, *meter, s);
            for (const auto& follower : m->followers)
                follower(w);
            return reply;
        });
    }
    unit.AddCommand("STA1", [meter, m](const Command&, DeviceState& s) {
        Step(*m, *meter, s);
        std::string line = std::to_string(s.state) + "," + std::to_string(s.cardStatus);
        if (meter->programValue >= 0)
            line += "," + std::to_string(meter->programValue);
        return Reply::Line(line);
    });
}

void AddProgressCommands(ControlUnit& unit, const MeasurePtr& m)
{
    unit.AddCommand("TTM", [m](const Command&, DeviceState&) {
        return Reply::Line(m->triggered ? m->startTime : std::string());
    });
    unit.AddCommand("EOC", [m](const Command&, DeviceState&) {
        if (m->phase == Phase::Waiting)
            return Reply::Error(kErrNotTriggered);
        return Reply::Line(std::to_string(m->recorded));
    });
    unit.AddCommand("EOC2", [m](const Command&, DeviceState&) {
        char text[32];
        const int t = m->elapsedSeconds;
        std::snprintf(text, sizeof text, "%5d:%2d:%2d", t / 3600, t / 60 % 60, t % 60);
        return Reply::Line(text);
    });
    unit.AddCommand("MDT", [m](const Command&, DeviceState& s) { return Reply::Line(CurrentValues(*m, s)); });
    unit.AddCommand("MDT2", [m](const Command&, DeviceState& s) { return Reply::Line(CurrentValues(*m, s)); });
    unit.AddCommand("BAL", [m](const Command&, DeviceState& s) { return Reply::Line(BalanceLine(*m, s)); });
}

void AddSettingCommands(ControlUnit& unit, const MeasurePtr& m)
{
    unit.AddCommand("DTE", [m](const Command& c, DeviceState&) {
        return ClockText(c.text, m->date) ? Ok() : Reply::Error(kErrParameter);
    });
    unit.AddCommand("TME", [m](const Command& c, DeviceState&) {
        return ClockText(c.text, m->time) ? Ok() : Reply::Error(kErrParameter);
    });
    unit.AddCommand("WSY", [m](const Command& c, DeviceState&) {
        if (c.text.empty() || !std::isdigit(static_cast<unsigned char>(c.text[0])))
            return Reply::Error(kErrParameter);
        m->saveMode = std::stoi(c.text);
        return Ok();
    });
    unit.AddCommand("WSY?", [m](const Command&, DeviceState&) { return Reply::Line(std::to_string(m->saveMode)); });
}

} // namespace

int MeasureDevice::RawValue(int channel) const
{
    const auto b = base.find(channel);
    const auto st = step.find(channel);
    const auto z = zero.find(channel);
    const int from = b == base.end() ? 100 * channel : b->second;
    const int by = st == step.end() ? channel : st->second;
    // A unit left polling for hours swings back instead of climbing out
    // of the 16-bit range.
    const int k = valueCycle > 0 ? valueRequests % valueCycle : valueRequests;
    return from + by * k - (z == zero.end() ? 0 : z->second);
}

void AddMeasureCommands(ControlUnit& unit, const MeterPtr& meter, const MeasurePtr& measure)
{
    AddStartCommands(unit, meter, measure);
    AddProgressCommands(unit, measure);
    AddSettingCommands(unit, measure);
}

MeasureEmulator::MeasureEmulator(ControlUnit& unit)
    : m_unit(unit), m_meter(std::make_shared<MeterDevice>()), m_measure(std::make_shared<MeasureDevice>())
{
    AddMeterCommands(unit, m_meter);
    AddMeasureCommands(unit, m_meter, m_measure);
}

void MeasureEmulator::Follow(MeasureEmulator& master)
{
    ControlUnit* unit = &m_unit;
    auto meter = m_meter;
    auto measure = m_measure;
    master.With([&](MeasureDevice& m, MeterDevice&, DeviceState&) {
        m.followers.push_back([unit, meter, measure](const std::string& word) {
            unit->WithState([&](DeviceState& s) { (void)StartOrHalt(word, *measure, *meter, s); });
        });
    });
}

} // namespace kivemu
