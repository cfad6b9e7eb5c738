// Channel settings typed as text on the project pages: output sources named
// by channel name, consecutive channel numbers, the program-measurement and
// frequency settings of a control unit, and the self-check records.

#include "project/model/KIV5980Doc.h"

#include "framework/core/Exceptions.h"
#include "instrument/check/CheckData.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/ProjectHost.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int kCodeOn = 0;
constexpr int kCodeSource = 23;
constexpr int kCodeAdded1 = 44;
constexpr int kCodeAdded3 = 46;
constexpr int kCodeUnitType = -2;
constexpr int kCodeName = 1000;
constexpr int kCanUnitType = 8;
constexpr int kUnitChannels = 80;
constexpr int kCodeAnalysisInput = 103;
constexpr int kCodeOperation = 106;
constexpr int kCodeTimeSample = 107;
constexpr int kCodeTimeSampleOp2 = 2007;
constexpr int kCodeSliceFirst = 109;
constexpr int kCodeSliceLast = 110;
constexpr const char* kOff = "OFF";

} // namespace

int CKIV5980Doc::SetByChannelName(int channel, int code, const std::string& name, int sign)
{
    const int box = m_boxArray.GetMapEntry(channel).box;
    int set = 0;
    // Every input channel of that name counts; the last one wins.
    for (int i = 0; i < m_boxArray.GetMeasuringCount(); ++i) {
        const tagBOXCH entry = m_boxArray.GetMapEntry(i);
        if (entry.box != box)
            continue;
        fw::CString other;
        m_boxArray.GetChannelText(i, kCodeName, other);
        if (other.str() == name && m_boxArray.SetChannelValue(channel, code, sign * (1 + entry.ch)))
            ++set;
    }
    return set;
}

bool CKIV5980Doc::SetChannelText(int code, int column, int channel, const fw::CString& text, fw::CObject* view)
{
    const std::string t = text.str();
    bool ok = false;
    if (code == kCodeOn && m_boxArray.GetChannelValue(channel, kCodeUnitType) == kCanUnitType) {
        ok = false;
    } else if (code == kCodeSource) {
        ok = t == kOff ? m_boxArray.SetChannelValue(channel, code, 0) : SetByChannelName(channel, code, t, 1) > 0;
    } else if (code >= kCodeAdded1 && code <= kCodeAdded3) {
        if (t == kOff)
            ok = m_boxArray.SetChannelValue(channel, code, 0);
        else
            ok = t.size() > 2 && SetByChannelName(channel, code, t.substr(2), t[0] == '+' ? 1 : -1) > 0;
    } else {
        ok = m_boxArray.SetChannelText(channel, code, text.c_str());
    }
    if (!ok)
        return false;
    AfterChannelEdit(code, column, channel, view);
    return true;
}

bool CKIV5980Doc::SetChannelRangeValue(int first, int last, int start, int code)
{
    bool any = false;
    int number = start;
    for (int channel = first; channel <= last; ++channel) {
        if (start < 1) {
            any = m_boxArray.SetChannelValue(channel, code, start) || any;
            continue;
        }
        const CKivMeter* meter = m_boxArray.GetBox(m_boxArray.GetMapEntry(channel).box)->GetMeter();
        while (number <= kUnitChannels && !meter->FindUnitOfChannel(number - 1))
            ++number;
        if (number > kUnitChannels)
            break;
        any = m_boxArray.SetChannelValue(channel, code, number) || any;
        ++number;
    }
    if (any)
        SetModifiedFlag(true);
    return any;
}

bool CKIV5980Doc::GetBoxAttributeText(int code, int box, fw::CString& text)
{
    m_boxArray.GetBox(box)->GetDisplayText(code, 0, text);
    return true;
}

bool CKIV5980Doc::SetBoxAttributeText(int code, int column, int box, const fw::CString& text, fw::CObject* view)
{
    // The seconds of the pause and measuring times are not set on the page.
    if (code == 117 || code == 121)
        return true;
    if (!m_boxArray.GetBox(box)->SetChannelText(0, code, text.c_str()))
        return false;
    SetModifiedFlag(true);
    NotifyColumnsChanged(view, column, column, 0, false);
    return true;
}

void CKIV5980Doc::GetHistSettingText(int code, int channel, fw::CString& text)
{
    text.Empty();
    const double operation = m_boxArray.GetChannelValue(channel, kCodeOperation);
    if (code == kCodeTimeSample) {
        if (operation == 2)
            m_boxArray.GetChannelDisplayText(kCodeTimeSampleOp2, channel, text);
        else if (operation == 4)
            m_boxArray.GetChannelDisplayText(code, channel, text);
        return;
    }
    if ((code == kCodeSliceFirst || code == kCodeSliceLast) && operation == 0)
        return;
    m_boxArray.GetChannelDisplayText(code, channel, text);
}

bool CKIV5980Doc::SetHistSettingText(int code, int column, int channel, const fw::CString& text, fw::CObject* view)
{
    bool ok = false;
    const std::string t = text.str();
    if (code == kCodeTimeSample) {
        const double operation = m_boxArray.GetChannelValue(channel, kCodeOperation);
        if (operation == 2)
            ok = m_boxArray.SetChannelText(channel, kCodeTimeSampleOp2, text.c_str());
        else if (operation == 4)
            ok = m_boxArray.SetChannelText(channel, code, text.c_str());
    } else if (code == kCodeAnalysisInput) {
        if (t == kOff)
            return false;
        const int box = channel / kUnitChannels;
        for (int i = 0; i < m_boxArray.GetMeasuringCount(); ++i) {
            const tagBOXCH entry = m_boxArray.GetMapEntry(i);
            fw::CString name;
            m_boxArray.GetChannelText(i, kCodeName, name);
            if (entry.box == box && name.str() == t)
                ok = m_boxArray.SetChannelValue(channel, code, 1 + entry.ch) || ok;
        }
        if (!ok && t.find("CH") != std::string::npos) {
            std::string rest;
            for (size_t i = 0; i < t.size(); ++i) {
                if (t.compare(i, 2, "CH") == 0)
                    ++i;
                else
                    rest += t[i];
            }
            ok = m_boxArray.SetChannelValue(channel, code, std::atoi(rest.c_str()));
        }
    } else {
        ok = m_boxArray.SetChannelText(channel, code, text.c_str());
    }
    if (!ok)
        return false;
    SetModifiedFlag(true);
    m_boxArray.UpdateHistCounts(channel, channel);
    NotifyColumnsChanged(view, column, column, 0, false);
    return true;
}

void CKIV5980Doc::DeleteCheckRecords(int first, int count)
{
    if (first < 0 || first > static_cast<int>(m_checkRecords.size()))
        fw::ThrowInvalidArgException();
    const int end = std::min(first + std::max(count, 0), static_cast<int>(m_checkRecords.size()));
    for (int i = first; i < end; ++i)
        delete m_checkRecords[static_cast<size_t>(i)];
    m_checkRecords.erase(m_checkRecords.begin() + first, m_checkRecords.begin() + end);
    SetModifiedFlag(true);
}

void CKIV5980Doc::InsertCheckRecords(int index, std::vector<CCheckData*> records)
{
    if (index < 0 || index > static_cast<int>(m_checkRecords.size()))
        fw::ThrowInvalidArgException();
    m_checkRecords.insert(m_checkRecords.begin() + index, records.begin(), records.end());
    SetModifiedFlag(true);
}
