// Recorded files on the control unit: the "DIR" listing, the ".HED"
// keyword headers and the raw header and data blocks, and how a waveform
// header sets the control unit's channels.

#include "instrument/meter/KivMeter.h"

#include "common/base/ValueParse.h"
#include "common/base/ZelException.h"
#include "framework/core/Numbers.h"
#include "framework/core/Cp932.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/HeaderKeys.h"
#include "instrument/unit/UnitTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Limits on what a unit may list, so that a broken listing or header is
// refused instead of overrunning memory or looping without end.
constexpr int kMaxNameChars = 259;
constexpr size_t kMaxListLines = 100000;
constexpr int kMaxHeaderBytes = 1 << 20;
constexpr int kMaxDataBytes = 1 << 30;
constexpr double kMaxSpanDays = 3615897.0;
constexpr double kMsPerDay = 86400000.0;
constexpr const char* kTriggerTexts = "COMMAND DATA    FREERUN PROGRAME";
constexpr int kCanKindCount = 15;
const char* const kCanKinds[kCanKindCount] = {
    "lon_rela_dst", "lat_rela_dst", "lon_abso_deg", "lat_abso_deg", "ele_abso",
    "vel",          "acc_x",        "acc_y",        "road_rela_dst", "v_in",
    "gps_lon_abso_deg", "gps_lat_abso_deg", "gps_ele_abso", "gps_vel", "gps_trk"};
constexpr int kCanUnitType = 8;
constexpr int kDigitalIoType = 7;

// Position of `ext` in `name` without regard to case; -1 when absent.
int FindNoCase(const fw::CString& name, const char* ext)
{
    fw::CString lower = name;
    lower.MakeLower();
    return lower.Find(ext);
}

CKiv406FileInfo* FindByName(std::vector<CKiv406FileInfo>& list, const fw::CString& name)
{
    for (CKiv406FileInfo& info : list) {
        if (info.m_name.CompareNoCase(name) == 0)
            return &info;
    }
    return nullptr;
}

bool TwoDigitNumbers(const fw::CString& text, int* out, int count)
{
    for (int i = 0; i < count; ++i) {
        const char a = text[i * 2];
        const char b = text[i * 2 + 1];
        if (!std::isdigit(static_cast<unsigned char>(a)) || !std::isdigit(static_cast<unsigned char>(b)))
            return false;
        out[i] = (a - '0') * 10 + (b - '0');
    }
    return true;
}

bool HeaderInt(const char* header, const char* key, int& value)
{
    int32_t v = 0;
    if (!TextToInt(HeaderValue(header, key).c_str(), &v))
        return false;
    value = v;
    return true;
}

fw::CString Item(const fw::CString& list, int k)
{
    fw::CString item;
    SplitHeaderList(list.c_str(), k, item);
    return item;
}

} // namespace

bool CKivMeter::QueryFileCount()
{
    fw::CString reply;
    try {
        Query("FLN", reply);
    } catch (const CZelException&) {
        m_fileCount = 0;
        m_fileNumber = 0;
        throw;
    }
    const int comma = reply.Find(',');
    const int count = std::atoi(reply.c_str());
    if (comma < 0 || count < 0) {
        m_fileCount = 0;
        m_fileNumber = 0;
        RaiseInvalidReply();
    }
    m_fileNumber = std::atoi(reply.c_str() + comma + 1);
    if (count == m_fileCount)
        return false;
    m_fileCount = count;
    return true;
}

void CKivMeter::SendDataFileCommand(const char* name, const char* extension)
{
    Send(fw::Format("DAT%s.%s", name, extension));
}

void CKivMeter::CheckBlockError(const uint8_t* data, int size) const
{
    if (size < 3 || std::memcmp(data, "ERR", 3) != 0)
        return;
    // The code stands where reply lines carry it: three digits four
    // characters after the E.
    const std::string text(reinterpret_cast<const char*>(data), static_cast<size_t>(std::min(size, 7)));
    const int code = text.size() > 4 ? std::atoi(text.c_str() + 4) : 0;
    const fw::CString message = fw::Format(fw::LoadStringText(kMsgUnitError), "HFL", code);
    throw CZelException(kZelErrorUnitReply + code, message.c_str());
}

void CKivMeter::ReadHeaderFile(const char* name, int size, fw::CString& text)
{
    text.Empty();
    if (size <= 0 || size > kMaxHeaderBytes)
        RaiseInvalidReply();
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    try {
        Link().SetWaitMs(m_waitMs);
        Send(fw::Format("DAT%s.HED", name));
        if (ReadExactBlock(bytes, false) != size)
            RaiseInvalidReply();
        CheckBlockError(bytes.data(), size);
    } catch (...) {
        text.Empty();
        throw;
    }
    // A NUL inside the block ends the header text, as it always did.
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    text = fw::cp932::FromCp932(std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<size_t>(end - bytes.begin())));
}

void CKivMeter::ReadDataFile(const char* name, int size, std::vector<uint8_t>& data)
{
    if (size < 0 || size > kMaxDataBytes)
        RaiseInvalidReply();
    data.assign(static_cast<size_t>(size), 0);
    Link().SetWaitMs(m_waitMs);
    Send(fw::Format("DAT%s.DAT", name));
    if (ReadExactBlock(data, false) != size)
        RaiseInvalidReply();
    CheckBlockError(data.data(), size);
}

// ---------------------------------------------------------------- listing

void CKivMeter::ReadMemoryFileList(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies,
                                   std::vector<CKiv406FileInfo>& voices)
{
    // The new lists grow from the old ones and replace them only when the
    // whole listing and every header came through: a link failure half-way
    // leaves the lists as they were.
    std::vector<CKiv406FileInfo> newWaveforms = waveforms;
    std::vector<CKiv406FileInfo> newFrequencies = frequencies;
    std::vector<CKiv406FileInfo> newVoices = voices;
    ReadFileListEntries(newWaveforms, newFrequencies, newVoices);
    ReadListedHeaders(newWaveforms, newFrequencies);
    std::stable_sort(newWaveforms.begin(), newWaveforms.end());
    std::stable_sort(newFrequencies.begin(), newFrequencies.end());
    waveforms = std::move(newWaveforms);
    frequencies = std::move(newFrequencies);
    voices = std::move(newVoices);
}

void CKivMeter::ReadFileListEntries(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies,
                                    std::vector<CKiv406FileInfo>& voices)
{
    Send("DIR");
    ReadReply();
    for (size_t lines = 0; Link().GetReply().Find("END") != 0; ReadReply()) {
        if (++lines > kMaxListLines)
            RaiseInvalidReply();
        const fw::CString line = Link().GetReply();
        const int comma = line.Find(',');
        if (comma < 0)
            continue;
        if (comma > kMaxNameChars)
            RaiseInvalidReply();
        const fw::CString file = line.Left(comma);
        const int size = std::atoi(line.c_str() + comma + 1);
        if (size <= 0)
            continue;
        const int hed = FindNoCase(file, ".hed");
        const int dat = FindNoCase(file, ".dat");
        const int wav = FindNoCase(file, ".wav");
        if (wav >= 0 && hed < 0 && dat < 0) {
            const fw::CString name = file.Left(wav);
            if (FindByName(voices, name) || name.GetLength() < 12)
                continue;
            int f[6];
            if (!TwoDigitNumbers(name.Right(12), f, 6))
                continue;
            CKiv406FileInfo info;
            info.m_name = name;
            info.m_dataSize = size;
            info.m_headerTime.SetDateTime(2000 + f[0], f[1], f[2], f[3], f[4], f[5]);
            info.m_firstSampleTime = info.m_headerTime;
            voices.push_back(info);
            continue;
        }
        if (hed < 0 && dat < 0)
            continue;
        const bool isHeader = hed >= 0;
        const fw::CString name = file.Left(isHeader ? hed : dat);
        CKiv406FileInfo* info = FindByName(waveforms, name);
        if (!info)
            info = FindByName(frequencies, name);
        if (info && (isHeader ? info->m_headerSize : info->m_dataSize) != 0)
            continue;
        if (!info) {
            waveforms.emplace_back();
            info = &waveforms.back();
            info->m_name = name;
        }
        (isHeader ? info->m_headerSize : info->m_dataSize) = size;
    }
}

void CKivMeter::ReadListedHeaders(std::vector<CKiv406FileInfo>& waveforms, std::vector<CKiv406FileInfo>& frequencies)
{
    for (size_t i = 0; i < waveforms.size();) {
        CKiv406FileInfo& info = waveforms[i];
        if (info.m_headerSize <= 0 || info.m_dataSize <= 0) {
            waveforms.erase(waveforms.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (info.m_sampleCount != 0) {
            ++i;
            continue;
        }
        bool isFrequency = false;
        const bool keep = ReadOneHeader(info, isFrequency);
        if (keep && isFrequency)
            frequencies.push_back(info);
        if (!keep || isFrequency)
            waveforms.erase(waveforms.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

bool CKivMeter::ReadOneHeader(CKiv406FileInfo& info, bool& isFrequency)
{
    fw::CString header;
    ReadHeaderFile(info.m_name.c_str(), info.m_headerSize, header);
    const char* h = header.c_str();
    isFrequency = header.Find("OPERATION") >= 0;
    if (isFrequency) {
        int series = 0;
        if (!HeaderInt(h, "NUM_SERIES", series))
            RaiseInvalidReply();
        if (series <= 0)
            return false;
        if (!IsValidFrequencyHeader(h))
            RaiseInvalidReply();
        info.m_sampleCount = series;
        info.m_headerTime = GetHeaderDateTime(h);
        info.m_firstSampleTime = info.m_headerTime;
        return true;
    }
    int samples = 0;
    int offset = 0;
    if (!IsValidDataHeader(h) || !HeaderInt(h, "NUM_SAMPS", samples) || !HeaderInt(h, "X_OFFSET", offset))
        RaiseInvalidReply();
    if (samples == 0)
        return false;
    info.m_sampleCount = samples;
    info.m_headerTime = GetHeaderDateTime(h);
    if (HeaderValue(h, "HORZ_UNITS") != "SAMPLES") {
        double seconds = 0;
        TextToDouble(HeaderValue(h, "INTERVAL").c_str(), &seconds);
        info.m_clockKind = CKiv406FileInfo::clockInterval;
        info.m_interval = seconds * 1000.0;
        const double days = offset * info.m_interval / kMsPerDay;
        info.m_firstSampleTime = fw::COleDateTime(info.m_headerTime.m_dt + days);
        if (std::fabs(days) > kMaxSpanDays || info.m_headerTime.GetStatus() != fw::COleDateTime::valid)
            info.m_firstSampleTime.SetStatus(fw::COleDateTime::invalid);
    } else {
        info.m_interval = 1.0;
        info.m_clockKind = CKiv406FileInfo::clockSamples;
        info.m_firstSampleTime = info.m_headerTime;
    }
    ParseUnitTypes(HeaderValue(h, "UNIT_TYPE").c_str(), info.m_unitTypes);
    const fw::CString trigger = HeaderValue(h, "TRIGGER_TYPE");
    const char* at = std::strstr(kTriggerTexts, trigger.c_str());
    info.m_triggerType = at ? static_cast<int>(at - kTriggerTexts) / 8 : 0;
    return true;
}

// ------------------------------------------------------ header to channels

void CKivMeter::ReadHeader(const char* header, bool withScales)
{
    int version = 0;
    int series = 0;
    HeaderInt(header, "VERSION", version);
    HeaderInt(header, "NUM_SERIES", series);
    series = std::clamp(series, 0, static_cast<int>(kChannels));
    for (int ch = 0; ch < kChannels; ++ch) {
        if (UnitOfChannel(ch))
            SetValue(ch, kAttrOnOff, 0, true);
    }
    // The channel of each series; -1 for one this control unit cannot hold.
    std::vector<int> channels;
    const fw::CString list = HeaderValue(header, "SERIES");
    for (int k = 1; k <= series; ++k) {
        const fw::CString item = Item(list, k);
        const int ch = item.GetLength() > 3 ? std::atoi(item.c_str() + 3) - 1 : -1;
        const bool usable = ch >= 0 && ch < kChannels && UnitOfChannel(ch);
        channels.push_back(usable ? ch : -1);
        if (usable)
            SetValue(ch, kAttrOnOff, 1, true);
    }
    const fw::CString comments = HeaderValue(header, "CH_COMMENT");
    if (!comments.IsEmpty()) {
        for (size_t k = 0; k < channels.size(); ++k) {
            const int ch = channels[k];
            if (ch < 0)
                continue;
            const fw::CString item = Item(comments, static_cast<int>(k) + 1);
            const int type = static_cast<int>(GetValue(ch, kAttrUnitType));
            if (type == kCanUnitType) {
                const int kind = FindTextInTable(kCanKinds, kCanKindCount, item.c_str());
                if (item.IsEmpty())
                    SetValue(ch, kAttrCanKind, 0, true);
                else if (kind >= 0)
                    SetValue(ch, kAttrCanKind, kind + 1, true);
            } else if (type == kDigitalIoType) {
                SetText(ch, 42, item.c_str(), true);
            }
        }
    }
    const fw::CString bits = HeaderValue(header, "BIT_LENGTH");
    if (!bits.IsEmpty()) {
        for (size_t k = 0; k < channels.size(); ++k) {
            if (channels[k] >= 0)
                SetValue(channels[k], kAttrBitsPerSample, std::atoi(Item(bits, static_cast<int>(k) + 1).c_str()), true);
        }
    }
    RecountChannelsOn();
    if (HeaderValue(header, "HORZ_UNITS") != "SAMPLES") {
        double seconds = 0;
        TextToDouble(HeaderValue(header, "INTERVAL").c_str(), &seconds);
        SetValue(0, kAttrClockSource, 0, true);
        SetValue(0, kAttrInterval, seconds * 1000.0, true);
    } else {
        SetValue(0, kAttrClockSource, 2, true);
        SetValue(0, kAttrInterval, 1.0, true);
    }
    if (version > 1 && withScales)
        ApplyHeaderScales(header, channels);
    ApplyHeaderSettings(header, channels);
}

void CKivMeter::ApplyHeaderScales(const char* header, const std::vector<int>& channels)
{
    const fw::CString units = HeaderValue(header, "VERT_UNITS");
    fw::CString coefficients = HeaderValue(header, "COEFFICIENT");
    if (coefficients.IsEmpty())
        coefficients = HeaderValue(header, "SLOPE");
    const fw::CString rated = HeaderValue(header, "RATED_OUT");
    const fw::CString capacity = HeaderValue(header, "CAPACITY");
    const fw::CString points = HeaderValue(header, "POINT");
    auto real = [](const fw::CString& item) {
        double v = 0;
        return TextToDouble(item.c_str(), &v) ? v : HUGE_VAL;
    };
    for (size_t k = 0; k < channels.size(); ++k) {
        const int ch = channels[k];
        if (ch < 0)
            continue;
        const int n = static_cast<int>(k) + 1;
        int unit = FindUnitIndex(Item(units, n).c_str());
        if (unit < 0)
            unit = FindUnitIndex(" ");
        SetValue(ch, 25, unit, true);
        SetValue(ch, 24, real(Item(coefficients, n)), true);
        SetValue(ch, 32, real(Item(rated, n)), true);
        SetValue(ch, 31, real(Item(capacity, n)), true);
        SetValue(ch, 33, std::atoi(Item(points, n).c_str()), true);
    }
}

void CKivMeter::ApplyHeaderSettings(const char* header, const std::vector<int>& channels)
{
    struct Key {
        const char* key;
        int code;
        double scale;
        bool always;
    };
    static constexpr Key kKeys[] = {
        {"SENSOR_MODE", 7, 1, true},          {"ATTENATE", 20, 1, true},         {"FILTER", 2, 1, true},
        {"F_PROPERTY", 34, 1, false},         {"RJC", 29, 1, false},             {"AC_COUPLE", 49, 100, false},
        {"DMC", 50, 1, false},                {"465_THRESHOLD_MODE", 39, 1, false}, {"465_THRESHOLD_H", 40, 1, false},
        {"465_THRESHOLD_L", 41, 1, false},
    };
    for (const Key& key : kKeys) {
        const fw::CString list = HeaderValue(header, key.key);
        if (list.IsEmpty() && !key.always)
            continue;
        for (size_t k = 0; k < channels.size(); ++k) {
            if (channels[k] < 0)
                continue;
            const double v = fw::Atof(Item(list, static_cast<int>(k) + 1).c_str());
            SetValue(channels[k], key.code, key.scale == 1 ? std::trunc(v) : std::floor(v * key.scale + 0.5), true);
        }
    }
}
