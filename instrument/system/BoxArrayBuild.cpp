// Building the boxes from the connection profile, carrying the settings of
// the previous configuration over, and connecting the control units.

#include "instrument/system/BoxArray.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/CanUnitClass.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/system/HistCount.h"
#include "instrument/unit/KivUnit.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Attribute codes carried over, in the order they are set again: the order
// matters, as later codes re-derive raw values from earlier ones.
constexpr int kMeasuringCodes[] = {0,    7,    20,   24,   25, 33, 1002, 1003, 1001, 2,    34,  49,
                                   50,   29,   1008, 1009, 1010, 11, 1006, 13,   1011, 1012, 1013};
constexpr int kOutputCodes[] = {23, 22, 44, 45, 46, 47, 48, 35};
constexpr int kSystemCodes[] = {111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121};
constexpr int kAnalysisCodes[] = {103, 106, 104, 105, 2003, 2005, 107, 108, 2007, 109, 110};

constexpr int kCodeUnitType = -2;
constexpr int kCodeUnitText = 25;
constexpr int kCodeDecimals = 33;
constexpr int kCodeCanOffset = 222;
constexpr int kCodeCanKind = 201;

// The next box channel of a kind when walking the boxes in map order.
struct ChannelWalk {
    const CBoxArray::BoxList& boxes;
    bool outputs;
    size_t box = 0;
    int channel = 0;

    int CountOf(size_t b) const
    {
        return outputs ? boxes[b]->GetOutputCount() : boxes[b]->GetInputCount();
    }
    // False when no box has a channel left.
    bool Next(CBoxPropaty*& target, int& boxChannel)
    {
        while (box < boxes.size() && channel >= CountOf(box)) {
            ++box;
            channel = 0;
        }
        if (box >= boxes.size())
            return false;
        target = boxes[box].get();
        boxChannel = (outputs ? target->GetInputCount() : 0) + channel++;
        return true;
    }
};

} // namespace

// ---------------------------------------------------------------- building

void CBoxArray::CarrySettingsOver(BoxList& boxes, int newMeasuring, int newOutputs)
{
    const int oldBoxes = GetBoxCount();
    ChannelWalk inputs{boxes, false};
    for (int s = 0; s < std::min(m_measuring, newMeasuring); ++s) {
        CBoxPropaty* target = nullptr;
        int channel = 0;
        if (!inputs.Next(target, channel))
            break;
        for (int code : kMeasuringCodes) {
            fw::CString text;
            GetChannelText(s, code, text);
            target->SetChannelText(channel, code, text.c_str());
        }
    }
    ChannelWalk outputs{boxes, true};
    for (int s = 0; s < std::min(m_outputs, newOutputs); ++s) {
        CBoxPropaty* target = nullptr;
        int channel = 0;
        if (!outputs.Next(target, channel))
            break;
        for (int code : kOutputCodes) {
            fw::CString text;
            GetChannelText(m_measuring + s, code, text);
            target->SetChannelText(channel, code, text.c_str());
        }
    }
    const int common = std::min(static_cast<int>(boxes.size()), oldBoxes);
    for (int o = 0; o < common; ++o) {
        for (int code : kSystemCodes)
            boxes[static_cast<size_t>(o)]->SetChannelValue(0, code, GetBox(0)->GetChannelValue(0, code));
    }
    for (int t = 0; t < kChannelsPerBox * common; ++t) {
        for (int code : kAnalysisCodes)
            boxes[static_cast<size_t>(t / kChannelsPerBox)]->SetChannelValue(t % kChannelsPerBox, code,
                                                                              GetChannelValue(t, code));
    }
    IUnit463Services& can = Unit463Services();
    for (int b = 0; b < common; ++b) {
        for (int port = 0; port < CBoxPropaty::kUnitPorts; ++port) {
            CKivUnit* target = boxes[static_cast<size_t>(b)]->GetMeter()->GetUnit(port);
            const CKivUnit* source = GetBox(b)->GetMeter()->GetUnit(port);
            if (IsCanVoiceGpsUnit(target) && IsCanVoiceGpsUnit(source))
                can.CopyUnitSettings(*target, *source);
        }
    }
}

void CBoxArray::NameNewChannels(int oldMeasuring)
{
    for (int k = std::max(oldMeasuring, 0); k < m_measuring; ++k) {
        SetChannelText(k, CDataPropaty::kName, fw::Format("CH%d", k + 1).c_str());
        fw::CString unit;
        GetChannelText(k, kCodeUnitText, unit);
        if (unit == " ")
            unit.Empty();
        SetChannelText(k, kCodeUnitText, unit.c_str());
        SetChannelText(k, CDataPropaty::kFormat, "0");
        // As loading a project does, so that a new system stores what it
        // will read back.
        const auto [box, channel] = Route(k, CDataPropaty::kTriggerLevel);
        box->RecalcChannelTank(channel);
    }
}

void CBoxArray::ApplyCanUnitChannels()
{
    for (int k = 0; k < m_measuring; ++k) {
        if (GetChannelValue(k, kCodeUnitType) != 8.0)
            continue;
        SetChannelValue(k, CDataPropaty::kFormat, GetChannelValue(k, kCodeDecimals));
        SetChannelValue(k, CDataPropaty::kOffset, GetChannelValue(k, kCodeCanOffset));
        fw::CString unit;
        GetChannelText(k, kCodeUnitText, unit);
        SetChannelText(k, kCodeUnitText, unit.c_str());
        SetChannelValue(k, kCodeCanKind, GetChannelValue(k, kCodeCanKind));
    }
}

bool CBoxArray::BuildFromProfile(const CMeterInterfacePrf& profile)
{
    // Everything of the old configuration is kept until the new one stands,
    // so that a failure leaves the system as it was.
    const CMeterInterfacePrf oldProfile(m_profile);
    const std::array<bool, kMaxBoxes> oldCanFlags = m_canFlags;
    const int oldMeasuring = m_measuring;
    const int oldOutputs = m_outputs;
    const int oldTankChannels = m_tanks.GetMeasuredCount();
    fw::CArray<tagBOXCH> oldMap;
    oldMap.Copy(m_map);
    std::unique_ptr<BoxList> oldBoxes;
    std::unique_ptr<CHistCountArray> oldHist;
    bool installed = false;
    try {
        m_profile = profile;
        std::vector<int> types;
        profile.GetMeterTypes(types);
        auto boxes = std::make_unique<BoxList>();
        int newMeasuring = 0;
        int newOutputs = 0;
        for (size_t j = 0; j < types.size() && j < static_cast<size_t>(kMaxBoxes); ++j) {
            auto box = std::make_unique<CBoxPropaty>();
            auto meter = std::make_unique<CKivMeter>();
            meter->InstallUnits(profile.m_unitTypes[j]);
            meter->SetAddress(static_cast<int16_t>(j));
            meter->SetIpPort(profile.m_ipAddress[j], profile.m_port[j]);
            newMeasuring += meter->GetInputChannels();
            newOutputs += meter->GetOutputChannels();
            box->AttachMeter(std::move(meter));
            box->SetName(fw::Format(fw::LoadStringText(kMsgBoxName), CMeterInterfacePrf::GetModelName(types[j]),
                                    static_cast<int>(j) + 1));
            boxes->push_back(std::move(box));
        }
        // Grown only: the old channels' tanks stay until the new system stands.
        m_tanks.SetChannelCount(std::max(newMeasuring, oldTankChannels));
        if (m_boxes)
            CarrySettingsOver(*boxes, newMeasuring, newOutputs);
        oldBoxes = std::move(m_boxes);
        m_boxes = std::move(boxes);
        installed = true;
        BuildChannelMap();
        NameNewChannels(oldMeasuring);
        UpdateCanUnitFlags();
        ApplyCanUnitChannels();
        oldHist = std::move(m_hist);
        BuildHistCounts();
    } catch (const std::exception& e) {
        if (installed) {
            m_boxes = std::move(oldBoxes);
            m_hist = std::move(oldHist);
        }
        m_map.Copy(oldMap);
        m_measuring = oldMeasuring;
        m_outputs = oldOutputs;
        m_profile = oldProfile;
        m_canFlags = oldCanFlags;
        if (m_tanks.GetMeasuredCount() != oldTankChannels)
            m_tanks.SetChannelCount(oldTankChannels);
        fw::ReportException(e);
        return false;
    }
    oldBoxes.reset();
    oldHist.reset();
    if (m_tanks.GetMeasuredCount() != m_measuring)
        m_tanks.SetChannelCount(m_measuring);
    return true;
}

// -------------------------------------------------------------- connecting

bool CBoxArray::ConnectMeters(CMeterInterface* link)
{
    fw::CWaitCursor wait;
    const int boxes = GetBoxCount();
    for (int i = 0; i < boxes; ++i) {
        CKivMeter* meter = GetBox(i)->GetMeter();
        meter->SetSerialNumber(boxes == 1 ? 0 : m_profile.m_serialNo[static_cast<size_t>(i)]);
        meter->SetInterface(link);
    }
    for (int i = 0; i < boxes; ++i) {
        CKivMeter* meter = GetBox(i)->GetMeter();
        if (!meter->Open(false))
            return false;
        meter->ClearLastSampleIndexes();
    }
    if (boxes >= 2) {
        fw::CString names;
        for (int i = 0; i < boxes; ++i) {
            if (GetBox(i)->GetMeter()->GetFirmwareVersion() < meterversion::k12C)
                names += " " + GetBox(i)->GetName();
        }
        if (!names.IsEmpty()) {
            fw::AfxMessageBox(fw::FormatString(kMsgOldFirmwareForSeveral, names), fw::MB_OK | fw::MB_ICONSTOP);
            return false;
        }
    }
    return BuildInUseList();
}

bool CBoxArray::BuildInUseList()
{
    m_unitList.RemoveAll();
    m_inUse.clear();
    if (GetBoxCount() == 0) {
        fw::AfxMessageBox(kMsgNoChannelOn, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    for (int i = 0; i < GetBoxCount(); ++i) {
        const CKivMeter* meter = GetBox(i)->GetMeter();
        if (!meter->HasChannelsOn()) {
            fw::AfxMessageBox(kMsgNoChannelOn, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return false;
        }
        m_unitList.Add(meter->GetAddress());
        m_inUse.push_back(static_cast<int16_t>(i));
    }
    return true;
}

void CBoxArray::CloseMeters()
{
    for (int i = 0; i < GetBoxCount(); ++i)
        GetBox(i)->GetMeter()->Close();
}
