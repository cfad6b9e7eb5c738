// The checks before the settings are written into the control units, and
// taking an A/D setting into the system.

#include "instrument/system/BoxArray.h"

#include "common/base/ValueFormat.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/Document.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/system/SequenceSupport.h"
#include "instrument/unit/Kiv465Unit.h"
#include "instrument/unit/KivUnit.h"
#include "instrument/unit/UnitTexts.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <string>

namespace {

constexpr unsigned kMsgNotSettable = 161;
constexpr unsigned kMsgNoAnalysis = 643;
constexpr unsigned kMsgNoSampleClock = 844;
constexpr unsigned kMsgClockNeeds22A = 859;
constexpr unsigned kMsgEighthOrderNeeds22A = 864;
constexpr unsigned kMsgOldUnits = 865;
constexpr unsigned kMsgOldUnitLine = 866;
constexpr unsigned kMsgLowerQuestion = 872;
constexpr unsigned kMsgHighPassNeeds22A = 871;
constexpr unsigned kMsgBalanceOffNeeds22A = 876;
constexpr unsigned kMsgCanNotSettable = 815;

constexpr int kAllowStored = 0x8000;  // "the value stored now"
constexpr int kPreTriggerLimit = 64000000;
constexpr int kSpeedHigh = 2;
constexpr int kCardMissing = 50;
constexpr int kSampleClock = 3;        // DIGITAL IN input set to SCLK
constexpr int kFilterKind = 34;
constexpr int kHighPass = 49;
constexpr int kBalanceOff = 50;
constexpr int kOperation = 106;
constexpr int kCrossLevel = 2007;

constexpr int kMeasuringCodes[] = {7, 2, 20, 1006, 25, 1004, 34};
constexpr int kOutputCodes[] = {23, 44, 45, 46};
constexpr int kFrequencyCodes[] = {103, 2003, 2005, 111, 112, 113, 114, 115, 116, 117, 119, 120, 121};
constexpr int kFastRatesHz[] = {512, 1024, 2048, 4096, 8192};

bool IsFinitePositive(double v, double above)
{
    return std::isfinite(v) && v > above;
}

} // namespace

// ------------------------------------------------------------ settings

bool CBoxArray::CheckSettings()
{
    if (m_adSet.m_nExtClk > 0 && !HasSampleClockInput()) {
        fw::AfxMessageBox(kMsgNoSampleClock);
        return false;
    }
    auto refused = [this](int index, int code) {
        return IsChannelAttrEditable(index, code) && !IsChannelValueAllowed(index, code, kAllowStored);
    };
    auto outputsRefuse = [&](bool onlyOn) {
        for (int code : kOutputCodes) {
            for (int i = m_measuring; i < m_measuring + m_outputs; ++i) {
                if ((!onlyOn || GetChannelValue(i, CBoxPropaty::kAttrOnOff) == 1.0) && refused(i, code))
                    return true;
            }
        }
        return false;
    };
    for (int code : kMeasuringCodes) {
        for (int i = 0; i < m_measuring; ++i) {
            if (GetChannelValue(i, CBoxPropaty::kAttrOnOff) == 1.0 && refused(i, code)) {
                fw::AfxMessageBox(kMsgNotSettable);
                return false;
            }
        }
    }
    if (outputsRefuse(true)) {
        fw::AfxMessageBox(kMsgNotSettable);
        return false;
    }
    if (!CheckFirmwareLimits())
        return false;
    if (outputsRefuse(false)) {
        fw::AfxMessageBox(kMsgNotSettable);
        return false;
    }
    WarnUnusedFrequencySettings();
    for (int b = 0; b < GetBoxCount(); ++b) {
        if (!sequence::MeterOf(*this, b).IsAnalysisAvailable())
            continue;
        for (int k = 0; k < kChannelsPerBox; ++k) {
            const int n = b * kChannelsPerBox + k;
            bool bad = false;
            for (int code : kFrequencyCodes)
                bad = bad || refused(n, code);
            if (!bad && GetChannelValue(n, kOperation) == 2.0)
                bad = refused(n, kCrossLevel);
            if (bad) {
                fw::AfxMessageBox(kMsgNotSettable);
                return false;
            }
        }
    }
    {
        IUnit463Services& can = Unit463Services();
        for (int b = 0; b < GetBoxCount(); ++b) {
            const CKivMeter& meter = sequence::MeterOf(*this, b);
            for (int p = 0; p < CKivMeter::kPorts; ++p) {
                const CKivUnit* unit = meter.GetUnit(p);
                if (unit && meter.GetUnitType(p) == unitcode::kCanVoiceGps && !can.SettingsAllowed(*unit)) {
                    fw::AfxMessageBox(kMsgCanNotSettable);
                    return false;
                }
            }
        }
    }
    return true;
}

void CBoxArray::MarkDuplicateCanIds()
{
    IUnit463Services& can = Unit463Services();
    for (int b = 0; b < GetBoxCount(); ++b) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        meter.ClearCanDuplicateFlags();
        for (int p = 0; p < CKivMeter::kPorts; ++p) {
            CKivUnit* unit = meter.GetUnit(p);
            if (unit && meter.GetUnitType(p) == unitcode::kCanVoiceGps)
                can.MarkDuplicateIds(*unit);
        }
    }
}

bool CBoxArray::HasSampleClockInput() const
{
    for (int b = 0; b < GetBoxCount(); ++b) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        for (int p = 0; p < CKivMeter::kPorts; ++p) {
            const CKivUnit* unit = meter.GetUnit(p);
            if (!unit || meter.GetUnitType(p) != unitcode::kDigitalIo)
                continue;
            for (int entry = 7; entry <= 10; ++entry) {
                if (unit->GetValue(entry, CKiv465Unit::kFunctionEntry) == kSampleClock)
                    return true;
            }
        }
    }
    return false;
}

void CBoxArray::WarnUnusedFrequencySettings()
{
    fw::CString names;
    for (int b = 0; b < GetBoxCount(); ++b) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        if (!meter.IsAnalysisAvailable() && meter.GetLoadClass() > 0)
            names += " " + GetBox(b)->GetName();
    }
    if (!names.IsEmpty())
        fw::AfxMessageBox(fw::LoadStringText(kMsgNoAnalysis) + "\n" + names);
}

// ------------------------------------------------------------ firmware

bool CBoxArray::CheckFirmwareLimits()
{
    bool asked = false;
    bool lowered = false;
    for (int b = 0; b < GetBoxCount(); ++b) {
        CKivMeter& meter = sequence::MeterOf(*this, b);
        const CBoxPropaty* box = GetBox(b);
        if (meter.GetFirmwareVersion() < meterversion::k22A) {
            if (!CheckOldFirmware(b))
                return false;
            continue;
        }
        std::vector<uint32_t> versions;
        try {
            meter.RefreshUnitInfo();
            versions = meter.GetUnitVersions();
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            texts.ReportException(e);
            return false;
        }
        auto isOld = [&](int port) {
            const int type = meter.GetUnitType(port);
            return (type == unitcode::kStrain4G || type == unitcode::kStrain123G) &&
                   versions[static_cast<size_t>(port)] < meterversion::k12A;
        };
        bool needsLowering = false;
        for (int ch = 0; ch < box->GetInputCount() && !needsLowering; ++ch) {
            if (!IsFinitePositive(box->GetChannelValue(ch, kFilterKind), 1.0) &&
                !IsFinitePositive(box->GetChannelValue(ch, kHighPass), 0.0))
                continue;
            const int port = box->GetChannelRef(ch).box;
            needsLowering = port >= 0 && port < CKivMeter::kPorts &&
                            versions[static_cast<size_t>(port)] < meterversion::k12A;
        }
        if (!needsLowering)
            continue;
        if (!asked) {
            asked = true;
            fw::CString text = fw::LoadStringText(kMsgOldUnits);
            for (int p = 0; p < CKivMeter::kPorts; ++p) {
                if (isOld(p)) {
                    const char* model = GetUnitTypeName(meter.GetUnitType(p));
                    text += fw::Format(fw::LoadStringText(kMsgOldUnitLine), p + 1, model ? model : "");
                }
            }
            text += fw::LoadStringText(kMsgLowerQuestion);
            if (fw::AfxMessageBox(text, fw::MB_YESNO) != fw::IDYES)
                return false;
        }
        for (int p = 0; p < CKivMeter::kPorts; ++p) {
            if (!isOld(p))
                continue;
            const CKivUnit* unit = meter.GetUnit(p);
            for (int c = 0; c < unit->GetChannelCount(); ++c) {
                const int ch = p * CKivMeter::kChannelsPerPort + c;
                const double kind = meter.GetValue(ch, kFilterKind);
                if (IsFinitePositive(kind, 1.0))
                    meter.SetValue(ch, kFilterKind, kind - 2, true);
                meter.SetValue(ch, kHighPass, 0, true);
            }
            lowered = true;
        }
    }
    if (lowered && m_owner) {
        m_owner->SetModifiedFlag();
        m_owner->UpdateAllViews(nullptr);
    }
    return true;
}

bool CBoxArray::CheckOldFirmware(int b)
{
    for (int rate : kFastRatesHz) {
        if (m_adSet.m_dClk == 1000.0 / rate) {
            fw::AfxMessageBox(kMsgClockNeeds22A);
            return false;
        }
    }
    const CBoxPropaty* box = GetBox(b);
    for (int ch = 0; ch < box->GetInputCount(); ++ch) {
        unsigned refusal = 0;
        if (IsFinitePositive(box->GetChannelValue(ch, kFilterKind), 1.0))
            refusal = kMsgEighthOrderNeeds22A;
        else if (IsFinitePositive(box->GetChannelValue(ch, kHighPass), 0.0))
            refusal = kMsgHighPassNeeds22A;
        else if (box->GetChannelValue(ch, kBalanceOff) == 1.0)
            refusal = kMsgBalanceOffNeeds22A;
        if (refusal) {
            fw::AfxMessageBox(refusal);
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------- data counts

bool CBoxArray::CheckDataCounts()
{
    int channels = 0;
    for (int16_t b : m_inUse) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        if (meter.GetSpeedClass() == kSpeedHigh || meter.GetCardStatus() == kCardMissing)
            channels = std::max<int>(channels, meter.GetChannelsOn());
    }
    const int limit = GetMemorySamples(channels);
    if (m_adSet.m_nNum > limit && !AskForAdSetting(kMsgDataCountLimit, kMsgDataCountAsk, false, limit))
        return false;

    int preLimit = kPreTriggerLimit;
    for (int16_t b : m_inUse) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        const int d = meter.GetChannelsOn();
        const bool fast = meter.GetSpeedClass() == kSpeedHigh;
        const int width = d <= 2 && fast ? d : d <= 4 && fast ? 4 : (d + 7) / 8 * 8;
        if (static_cast<int64_t>(width) * m_adSet.m_nPreNum > kPreTriggerLimit && kPreTriggerLimit / width < preLimit)
            preLimit = kPreTriggerLimit / width;
    }
    if (preLimit < kPreTriggerLimit && !AskForAdSetting(kMsgPreTriggerLimit, kMsgPreTriggerAsk, true, preLimit))
        return false;
    return true;
}

bool CBoxArray::AskForAdSetting(unsigned limitId, unsigned askId, bool preTrigger, int32_t count)
{
    const long n = count;
    const fw::CString text = fw::Format(fw::LoadStringText(limitId), n) + fw::Format(fw::LoadStringText(askId), n);
    if (fw::AfxMessageBox(text, fw::MB_YESNO | fw::MB_ICONQUESTION) != fw::IDYES)
        return false;
    IAdDialog* dialog = fw::Installed<IAdDialog>();
    return dialog && dialog->Run(*this, preTrigger, count);
}

// ------------------------------------------------------------ read-back

bool CBoxArray::CheckSameClock()
{
    for (int b = 0; b < GetBoxCount(); ++b) {
        if (!GetBox(b)->ReadSettingsFromMeter())
            return false;
    }
    if (!BuildInUseList())
        return false;
    const CKivMeter& first = sequence::Master(*this);
    CADSetPrf setting = m_adSet;
    setting.m_dClk = first.GetInterval();
    setting.m_nNum = static_cast<int>(first.GetValue(0, CKivMeter::kAttrDataCount));
    setting.m_nPreNum = static_cast<int>(first.GetValue(0, CKivMeter::kAttrPreTrigger));
    setting.m_nExtClk = static_cast<int>(first.GetValue(0, CKivMeter::kAttrClockSource));
    for (int16_t b : m_inUse) {
        const CKivMeter& meter = sequence::MeterOf(*this, b);
        if (meter.GetInterval() != setting.m_dClk ||
            static_cast<int>(meter.GetValue(0, CKivMeter::kAttrDataCount)) != setting.m_nNum ||
            static_cast<int>(meter.GetValue(0, CKivMeter::kAttrPreTrigger)) != setting.m_nPreNum ||
            static_cast<int>(meter.GetValue(0, CKivMeter::kAttrClockSource)) != setting.m_nExtClk) {
            fw::AfxMessageBox(kMsgDifferentClock);
            ApplyAdSetting(setting);
            return false;
        }
    }
    ApplyAdSetting(setting);
    return true;
}

bool CBoxArray::ApplyAdSetting(const CADSetPrf& setting)
{
    m_adSet.m_nNum = setting.m_nNum;
    m_adSet.m_nPreNum = setting.m_nPreNum;
    m_adSet.m_dClk = setting.m_dClk;
    m_adSet.m_nUnit = setting.m_nUnit;
    m_adSet.m_nExtClk = setting.m_nExtClk;

    bool ok = SetMeasuringChannelsValue(CKivMeter::kAttrInterval, m_adSet.m_dClk);
    ok = SetMeasuringChannelsValue(CKivMeter::kAttrClockSource, m_adSet.m_nExtClk) && ok;
    // The pre-trigger count goes to 0 first, so that no data count is
    // refused for lying below the old pre-trigger count.
    SetMeasuringChannelsValue(CKivMeter::kAttrPreTrigger, 0);
    ok = SetMeasuringChannelsValue(CKivMeter::kAttrDataCount, m_adSet.m_nNum) && ok;
    ok = SetMeasuringChannelsValue(CKivMeter::kAttrPreTrigger, m_adSet.m_nPreNum) && ok;

    if (auto* time = dynamic_cast<CTimeDataTank*>(m_tanks.GetTimeTank())) {
        // With the external clock the unit factor is 1: the decimals are
        // those of CLK itself, the axis counts samples from 1.
        const double step = m_adSet.m_dClk / m_adSet.GetUnitFactor(m_adSet.m_nUnit);
        time->SetInterval(step);
        time->SetUnitIndex(m_adSet.m_nUnit);
        time->SetFormat(CountDecimalPlaces(step, 15));
        if (m_adSet.m_nExtClk < 1) {
            time->SetName(fw::LoadStringText(kMsgMeasuringTime));
            time->SetStartTime(0.0);
        } else {
            time->SetName(fw::LoadStringText(kMsgCount));
            time->SetInterval(1.0);
            time->SetStartTime(1.0);
            time->SetUnitIndex(CTimeDataTank::kUnitSamples);
        }
        fw::CString unit;
        time->GetUnitText(unit);
        time->SetUnit(unit);
    }
    m_tanks.SetDataCount(m_adSet.m_nNum, true);
    MarkModified();
    return ok;
}
