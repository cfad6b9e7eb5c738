// Settings files (".set") that control units read to measure on their own:
// one per control unit, one line per setting with a field per channel.

#include "project/model/KIV5980Doc.h"

#include "canvoicegps/Kiv463Exchange.h"
#include "common/base/TextFile.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/ProjectStrings.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int kChannels = 80;
constexpr int kCanUnitType = 8;
constexpr double kNoTriggerLevel = 32768;

enum class Field { real, integer, text };

struct ChannelLine {
    const char* key;
    int code;
    Field form;
};

// Lines 5 to 21, in file order.
constexpr ChannelLine kInputLines[] = {
    {"VERT_UNITS ", 99, Field::text},        {"SENSOR_MODE ", 7, Field::integer},
    {"ATTENATE ", 20, Field::text},          {"FILTER ", 2, Field::text},
    {"AC_COUPLE ", 49, Field::real},         {"DMC ", 50, Field::integer},
    {"F_PROPERTY ", 34, Field::integer},     {"RJC ", 29, Field::integer},
    {"CAPACITY ", 31, Field::real},          {"RATED_OUT ", 32, Field::real},
    {"COEFFICIENT ", 24, Field::real},       {"POINT ", 33, Field::integer},
    {"465_THRESHOLD_MODE ", 39, Field::integer}, {"465_THRESHOLD_H ", 40, Field::integer},
    {"465_THRESHOLD_L ", 41, Field::integer},
};

constexpr ChannelLine kHistLines[] = {
    {"HIST_OPERATION ", 106, Field::text},  {"HIST_INPUT_CH ", 103, Field::text},
    {"HIST_FULLSCALE ", 104, Field::text},  {"HIST_HYSTERISYS ", 105, Field::text},
    {"HIST_SLICE_XP ", 109, Field::text},   {"HIST_SLICE_XM ", 110, Field::text},
    {"HIST_MCL ", 108, Field::text},
};

std::string FieldText(const CKivMeter& meter, int ch, int code, Field form)
{
    if (form == Field::text) {
        fw::CString text;
        meter.GetText(ch, code, text);
        return text.str();
    }
    const double value = meter.GetValue(ch, code);
    if (!std::isfinite(value))
        return {};
    return fw::Format(form == Field::real ? "%10.8f" : "%.0f", value).str();
}

// The key, then one field per channel joined by commas, then the line end.
template <class FieldOf> void WriteChannelLine(CTextFile& file, const char* key, FieldOf fieldOf)
{
    std::string line = key;
    for (int ch = 0; ch < kChannels; ++ch) {
        if (ch)
            line += ',';
        line += fieldOf(ch);
    }
    file.WriteString(fw::CString(line + "\n"));
}

void WriteLine(CTextFile& file, const CKivMeter& meter, const ChannelLine& spec)
{
    WriteChannelLine(file, spec.key, [&](int ch) { return FieldText(meter, ch, spec.code, spec.form); });
}

std::string BitFunctionField(const CKivMeter& meter, int ch)
{
    fw::CString text;
    meter.GetText(ch, 42, text);
    if (text.IsEmpty())
        return {};
    int v[4] = {0, 0, 0, 0};
    std::sscanf(text.c_str(), "%d;%d;%d;%d", &v[0], &v[1], &v[2], &v[3]);
    return fw::Format("CH8-%d;CH8-%d;CH8-%d;CH8-%d", v[0], v[1], v[2], v[3]).str();
}

std::string SourceField(const CKivMeter& meter, int ch)
{
    const double source = meter.GetValue(ch, 23);
    if (!std::isfinite(source) || source == 0)
        return {};
    fw::CString text;
    meter.GetSettingText(23, ch, text);
    text.Trim();
    return text.str();
}

std::string SlopeField(const CKivMeter& meter, int ch)
{
    const double slope = meter.GetValue(ch, 13);
    if (slope == 1)
        return "U";
    if (slope == 2)
        return "L";
    return {};
}

std::string TriggerLevelField(const CKivMeter& meter, int ch)
{
    const double on = meter.GetValue(ch, 11);
    const double level = meter.GetValue(ch, 12);
    if (!std::isfinite(on) || on == 0 || !std::isfinite(level) || level == kNoTriggerLevel)
        return "0";
    return fw::Format("%.0f", level).str();
}

std::string TimeSampleField(const CKivMeter& meter, int ch)
{
    if (meter.GetValue(ch, 106) != 4)
        return {};
    fw::CString text;
    meter.GetText(ch, 107, text);
    std::string s = text.str();
    for (size_t at; (at = s.find("msec")) != std::string::npos;)
        s.erase(at, 4);
    return s;
}

int BoxSetting(const CBoxPropaty& box, int code)
{
    const double v = box.GetChannelValue(0, code);
    return std::isfinite(v) ? static_cast<int>(v) : 0;
}

} // namespace

std::vector<fw::CString> CKIV5980Doc::SettingsFileNames(const fw::CString& path, int boxes)
{
    std::vector<fw::CString> names;
    if (boxes == 1) {
        names.push_back(path);
        return names;
    }
    const std::string p = path.str();
    const size_t dot = p.rfind('.');
    for (int n = 1; n <= boxes; ++n) {
        if (dot == std::string::npos)
            names.push_back(path);
        else
            names.push_back(fw::CString(p.substr(0, dot) + "_BOX" + std::to_string(n) + p.substr(dot)));
    }
    return names;
}

void CKIV5980Doc::WriteBoxSettings(CTextFile& file, int box)
{
    const CBoxPropaty& b = *m_boxArray.GetBox(box);
    const CKivMeter& meter = *b.GetMeter();
    const CADSetPrf& ad = m_boxArray.GetADSet();
    WriteChannelLine(file, "SERIES ", [&](int ch) {
        return meter.GetValue(ch, 0) == 1 ? "CH_" + std::to_string(ch + 1) : std::string();
    });
    const std::string interval = ad.UsesExternalClock() ? std::string("1") : fw::Format("%.*f", 15, ad.m_dClk / 1000.0).str();
    file.WriteString(fw::CString("INTERVAL " + interval + "\n"));
    file.WriteString(fw::Format("PRE_AREA %ld\n", static_cast<long>(ad.m_nPreNum)));
    file.WriteString(fw::Format("DATA_SIZE %ld\n", static_cast<long>(ad.m_nNum)));
    for (const ChannelLine& line : kInputLines)
        WriteLine(file, meter, line);
    WriteChannelLine(file, "465_BIT_FUNC ", [&](int ch) { return BitFunctionField(meter, ch); });
    WriteLine(file, meter, {"VOUT_MODE ", 22, Field::integer});
    WriteChannelLine(file, "VOUT_SRC_CH ", [&](int ch) { return SourceField(meter, ch); });
    WriteLine(file, meter, {"VOUT_PHY_INPUT ", 47, Field::real});
    WriteLine(file, meter, {"VOUT_OUT_VOLTAGE ", 48, Field::text});
    WriteLine(file, meter, {"VOUT_PHY_CAL ", 35, Field::real});
    WriteChannelLine(file, "TRIGGER_SLOPE ", [&](int ch) { return SlopeField(meter, ch); });
    WriteChannelLine(file, "TRIGGER_LEVEL ", [&](int ch) { return TriggerLevelField(meter, ch); });

    std::string program = "PROGRAM_MEAS ";
    if (BoxSetting(b, 111) == -1)
        program += "**;**;**;**,";
    else
        program += fw::Format("%02d;%02d;%02d;%02d,", BoxSetting(b, 111), BoxSetting(b, 112), BoxSetting(b, 113),
                              BoxSetting(b, 114)).str();
    program += fw::Format("%02d;%02d;%02d,", BoxSetting(b, 119), BoxSetting(b, 120), BoxSetting(b, 121)).str();
    program += fw::Format("%02d;%02d;%02d,", BoxSetting(b, 115), BoxSetting(b, 116), BoxSetting(b, 117)).str();
    program += fw::Format("%02d\n", BoxSetting(b, 118)).str();
    file.WriteString(fw::CString(program));
}

void CKIV5980Doc::WriteBoxHistSettings(CTextFile& file, int box)
{
    const CKivMeter& meter = *m_boxArray.GetBox(box)->GetMeter();
    for (const ChannelLine& line : kHistLines) {
        if (line.code == 103) {
            WriteChannelLine(file, line.key, [&](int ch) {
                std::string text = FieldText(meter, ch, 103, Field::text);
                return text == "OFF" ? std::string() : text;
            });
            continue;
        }
        WriteLine(file, meter, line);
    }
    WriteChannelLine(file, "HIST_TIME_SAMPLE ", [&](int ch) { return TimeSampleField(meter, ch); });
}

void CKIV5980Doc::WriteBoxUnit463Settings(CTextFile& file, int box)
{
    const CKivMeter& meter = *m_boxArray.GetBox(box)->GetMeter();
    const CKivUnitTypes& types = m_boxArray.GetProfile().m_unitTypes[static_cast<size_t>(box)];
    for (int slot = 0; slot < CKivUnitTypes::kPorts; ++slot) {
        if (types.GetAt(slot) != kCanUnitType)
            continue;
        fw::CStringArray lines;
        if (!unit463::GetSettingsText(meter, slot, lines))
            continue;
        file.WriteString(fw::Format("KIV-463_%d\n", slot + 1));
        for (int i = 0; i < lines.GetSize(); ++i)
            file.WriteString(fw::CString(lines.GetAt(i).str() + "\n"));
        file.WriteString(fw::CString("END\n"));
    }
}

bool CKIV5980Doc::WriteSettingsFiles(const fw::CString& path)
{
    const std::vector<fw::CString> names = SettingsFileNames(path, m_boxArray.GetBoxCount());
    bool all = true;
    for (size_t box = 0; box < names.size(); ++box) {
        const fw::CString& name = names[box];
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(name.str()), ec)) {
            const fw::CString text = fw::Format(fw::LoadStringText(prjstr::kMsgOverwrite).c_str(),
                                                fw::fs::FileNameOf(name).c_str());
            if (fw::Prompt().MessageBox(text, fw::MB_YESNO | fw::MB_DEFBUTTON2, prjstr::kMsgOverwrite) != fw::IDYES) {
                all = false;
                continue;
            }
        }
        CTextFile file;
        if (!file.OpenFile(name, fw::CFile::modeCreate | fw::CFile::modeWrite)) {
            all = false;
            continue;
        }
        try {
            fw::CWaitCursor wait;
            WriteBoxSettings(file, static_cast<int>(box));
            WriteBoxHistSettings(file, static_cast<int>(box));
            WriteBoxUnit463Settings(file, static_cast<int>(box));
            file.Close();
        } catch (const std::exception& e) {
            CTextFile::ReportFileError(name, e, true, kIdFileCreateFailed);
            all = false;
        }
    }
    return all;
}

void CKIV5980Doc::OnWriteSettingsFile()
{
    fw::FileDialogRequest request;
    request.filters = fw::ParseMfcFilter(fw::LoadStringText(prjstr::kSetFileFilter));
    request.defaultExt = "set";
    request.initial = "KivSetting";
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    WriteSettingsFiles(result.paths.front());
}
