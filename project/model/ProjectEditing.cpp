// Edits of channels, calculated channels, A/D and connection settings go
// through the document, which keeps what depends on them consistent and
// tells the views.

#include "project/model/KIV5980Doc.h"

#include "common/calc/CalcColumnTanks.h"
#include "common/calc/CalcuDataTank.h"
#include "chart/model/GraphUpdateHints.h"
#include "common/formula/FormulaText.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "project/model/ProjectHost.h"
#include "project/model/ProjectStrings.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCodeOn = 0;
constexpr int kCodeName = 1000;
constexpr int kCodeAlarm = 1008;
constexpr int kCodeUpper = 1009;
constexpr int kCodeLower = 1010;
constexpr int kCodeOpData1 = 1011;
constexpr int kCodeOpData3 = 1013;
constexpr int kColName = 0;
constexpr int kColFunction = 1;
constexpr int kColOnOff = 4;
constexpr int kColUpper = 5;
constexpr int kColLower = 6;
constexpr int kColOpData1 = 7;
constexpr int kColOpData3 = 9;
// Clang takes its uses in lambdas for none.
[[maybe_unused]] constexpr int kLastChannel = 1499;
constexpr intptr_t kHintInserted = 13;
constexpr intptr_t kHintDeleted = 14;
constexpr intptr_t kHintAdChanged = 15;
constexpr intptr_t kHintConnection = 16;
// Kinds of measured tanks that hold data (16-bit and wider).
constexpr int32_t kUsedKinds[] = {-1, 22};

} // namespace

bool CKIV5980Doc::SetChannelAttribute(int code, int column, int channel, double value, fw::CObject* view)
{
    if (!m_boxArray.SetChannelValue(channel, code, value))
        return false;
    AfterChannelEdit(code, column, channel, view);
    return true;
}

void CKIV5980Doc::AfterChannelEdit(int code, int column, int channel, fw::CObject* view)
{
    SetModifiedFlag(true);
    if (code >= kCodeOpData1 && code <= kCodeOpData3)
        SetOpDataValue(code - kCodeOpData1, channel, m_boxArray.GetChannelValue(channel, code));
    if (code == kCodeUpper || code == kCodeLower)
        m_alarmLatches.erase(channel);
    if (view) {
        CPollingPause pause;
        if (code == kCodeOn || code == kCodeName)
            RebuildChannels();
        NotifyColumnsChanged(view, column, column, 0, true);
    }
}

bool CKIV5980Doc::SetCalcChannelText(int column, int row, const fw::CString& text, fw::CObject* view)
{
    if (!m_pCalcSettings || row < 0 || row >= kCalcRows)
        return false;
    CKivSPTankData& channels = m_boxArray.GetTankList();
    channels.GetOrCreateChannel(kFirstCalcChannel + row);
    CDataTankObject* tank = m_pCalcSettings->GetObjectAt(column);
    if (!tank || !tank->SetValueText(row, text))
        return false;
    SetModifiedFlag(true);
    if (column >= kColOpData1 && column <= kColOpData3)
        SetOpDataValue(column - kColOpData1, kFirstCalcChannel + row, tank->GetValue(row));
    if (column >= kColOnOff && column <= kColLower)
        m_alarmLatches.erase(kFirstCalcChannel + row);
    if (view) {
        if (column == kColFunction)
            channels.CompileRange(tank, row, row, static_cast<int16_t>(GetChannelCount()), 0);
        if (column == kColName)
            RebuildChannels();
        NotifyColumnsChanged(view, column, column, 0, true);
    }
    return true;
}

bool CKIV5980Doc::SetCalcChannelValue(int column, int row, double value, fw::CObject* view)
{
    if (!m_pCalcSettings || row < 0 || row >= kCalcRows)
        return false;
    m_boxArray.GetTankList().GetOrCreateChannel(kFirstCalcChannel + row);
    CDataTankObject* tank = m_pCalcSettings->GetObjectAt(column);
    if (!tank || !tank->SetValue(row, value))
        return false;
    SetModifiedFlag(true);
    if (column >= kColOpData1 && column <= kColOpData3)
        SetOpDataValue(column - kColOpData1, kFirstCalcChannel + row, value);
    if (column >= kColOnOff && column <= kColLower)
        m_alarmLatches.erase(kFirstCalcChannel + row);
    if (view) {
        if (column == kColName || column == kColOnOff)
            RebuildChannels();
        NotifyColumnsChanged(view, column, column, 0, true);
    }
    return true;
}

void CKIV5980Doc::RefreshFuncColumn()
{
    CKivSPTankData& channels = m_pActiveSystem->GetTankList();
    channels.UpdateAllChannels();
    if (!m_pCalcSettings)
        return;
    auto* function = dynamic_cast<CFuncTank*>(m_pCalcSettings->GetObjectAt(kColFunction));
    if (!function)
        return;
    function->SetChannelInfo(GetChannelCount(), 0);
    channels.CompileRange(function, 0, kCalcRows - 1, static_cast<int16_t>(GetChannelCount()), 0);
}

void CKIV5980Doc::RebuildChannels()
{
    m_boxArray.SetTankDisplayModes();
    CUseTankList& used = GetUseTanks();
    used.DeleteAll();
    CKivSPTankData& channels = m_boxArray.GetTankList();
    for (int i = 0; i < GetChannelCount() && i < channels.GetSize(); ++i) {
        CDataTankObject* tank = channels.GetObjectAt(i);
        if (tank && std::find(std::begin(kUsedKinds), std::end(kUsedKinds), tank->GetKind()) != std::end(kUsedKinds))
            used.AddTank(tank, true);
    }
    CDataTankObject* onOff = m_pCalcSettings ? m_pCalcSettings->GetObjectAt(kColOnOff) : nullptr;
    for (int row = 0; row < kCalcRows; ++row) {
        const int channel = kFirstCalcChannel + row;
        CDataTankObject* tank = channel < channels.GetSize() ? channels.GetObjectAt(channel) : nullptr;
        if (tank && onOff && onOff->GetValue(row) == 1)
            used.AddTank(tank, true);
    }
    const int count = std::max(used.GetSize(), 1);
    if (m_tables[kTabChannelData])
        m_tables[kTabChannelData]->SetColumnCount(count);
    if (m_tables[kTabGraph])
        m_tables[kTabGraph]->SetRowCount(count);
    RefreshHistoryChannels(false);
    RebuildGraphList();
}

bool CKIV5980Doc::InsertCalcChannels(int first, int last)
{
    CPollingPause pause;
    CKivSPTankData& channels = m_boxArray.GetTankList();
    last = std::min(last, channels.GetSize() - 1 - kFirstCalcChannel);
    last = std::min(last, kCalcRows - 1);
    if (first >= 0 && last >= first) {
        const int n = last - first + 1;
        // Rows that the insertion pushes past the last calculated channel
        // are lost; they are named rather than silently dropped.
        fw::CString dropped;
        CDataTankObject* names = m_pCalcSettings->GetObjectAt(kColName);
        CDataTankObject* functions = m_pCalcSettings->GetObjectAt(kColFunction);
        for (int row = kCalcRows - n; row < kCalcRows; ++row) {
            fw::CString name, function;
            names->GetValueText(row, name, false);
            functions->GetValueText(row, function, false);
            if (name.IsEmpty() && function.IsEmpty())
                continue;
            if (!dropped.IsEmpty())
                dropped += ", ";
            dropped += fw::CString("NO" + std::to_string(row + 1));
        }
        for (int i = 0; i < n; ++i)
            channels.InsertTank(kFirstCalcChannel + first, nullptr, false);
        if (channels.GetSize() > kLastChannel + 1)
            channels.RemoveTanks(kLastChannel + 1, channels.GetSize() - kLastChannel - 1);
        m_pCalcSettings->InsertRows(0, first, m_pCalcSettings->GetSize() - 1, last);
        for (int c = 0; c < m_pCalcSettings->GetSize(); ++c)
            if (CDataTankObject* column = m_pCalcSettings->GetObjectAt(c); column && column->GetDataCount() > kCalcRows)
                column->SetSize(kCalcRows, true);
        ReloadCalcOpData(first);
        for (int row = 0; row < functions->GetDataCount(); ++row) {
            fw::CString text;
            functions->GetValueText(row, text, false);
            if (!text.IsEmpty() && ShiftFormulaChannels(text, false, first, n))
                functions->SetValueText(row, text);
        }
        RebuildChannels();
        std::vector<int32_t>& monitored = m_panelMonitor.m_channels;
        for (int32_t& c : monitored)
            if (c >= kFirstCalcChannel + first)
                c += n;
        monitored.erase(std::remove_if(monitored.begin(), monitored.end(), [](int32_t c) { return c > kLastChannel; }),
                        monitored.end());
        NotifyCalcChannelsMoved(kHintInserted, first, last);
        if (!dropped.IsEmpty())
            fw::Prompt().MessageBox(fw::FormatString(prjstr::kMsgCalcChannelsDropped, dropped),
                                    fw::MB_OK | fw::MB_ICONEXCLAMATION, prjstr::kMsgCalcChannelsDropped);
    }
    SetModifiedFlag(true);
    return true;
}

void CKIV5980Doc::ReloadCalcOpData(int firstRow)
{
    CDataTankList* ops = GetOpDataTanks();
    if (!ops || !m_pCalcSettings)
        return;
    for (int k = 0; k < 3; ++k) {
        CDataTankObject* target = ops->GetObjectAt(k);
        CDataTankObject* column = m_pCalcSettings->GetObjectAt(kColOpData1 + k);
        if (!target || !column)
            continue;
        const int end = std::min(kCalcRows, std::max(column->GetDataCount(), target->GetDataCount() - kFirstCalcChannel));
        for (int row = std::max(firstRow, 0); row < end; ++row)
            target->SetValue(kFirstCalcChannel + row, row < column->GetDataCount() ? column->GetValue(row) : HUGE_VAL);
    }
}

void CKIV5980Doc::NotifyCalcChannelsMoved(intptr_t hint, int first, int last)
{
    CUpdateGraphInsertDelete update;
    update.m_doc = GetDocIdent();
    update.m_first = kFirstCalcChannel + first;
    update.m_second = kFirstCalcChannel + last;
    update.m_object = &m_boxArray.GetTankList();
    ProjectHost().UpdateAllGraphDocs(hint, &update);
}

bool CKIV5980Doc::DeleteCalcChannels(int first, int last)
{
    CPollingPause pause;
    CKivSPTankData& channels = m_boxArray.GetTankList();
    last = std::min(last, kCalcRows - 1);
    if (first < 0 || last < first)
        return true;
    const int n = last - first + 1;
    if (kFirstCalcChannel + first < channels.GetSize())
        channels.RemoveTanks(kFirstCalcChannel + first, n);
    // The list keeps its slots up to the last calculated channel.
    while (channels.GetSize() < kLastChannel + 1)
        channels.AddTank(nullptr, false);
    m_pCalcSettings->DeleteRows(0, first, m_pCalcSettings->GetSize() - 1, last);
    ReloadCalcOpData(first);
    RebuildChannels();
    CDataTankObject* functions = m_pCalcSettings->GetObjectAt(kColFunction);
    for (int row = 0; row < functions->GetDataCount(); ++row) {
        fw::CString text;
        functions->GetValueText(row, text, false);
        if (!text.IsEmpty() && ShiftFormulaChannels(text, false, first, -n))
            functions->SetValueText(row, text);
    }
    for (int32_t& c : m_panelMonitor.m_channels)
        if (c >= kFirstCalcChannel + last + 1)
            c -= n;
    NotifyCalcChannelsMoved(kHintDeleted, first, last);
    SetModifiedFlag(true);
    return true;
}

void CKIV5980Doc::ApplyAdSettings(const CADSetPrf& settings)
{
    if (settings.IsEqual(m_boxArray.GetADSet()))
        return;
    fw::CWaitCursor wait;
    m_boxArray.ApplyAdSetting(settings);
    if (m_tables[kTabChannelData])
        m_tables[kTabChannelData]->SetRowCount(std::max(settings.m_nNum, 1));
    m_boxArray.SetDataCount(-1, true);
    RebuildGraphList();
    SetModifiedFlag(true);
    NotifyColumnsChanged(nullptr, 0, -1, 0x60, true);
    UpdateAllViews(nullptr, kHintAdChanged);
}

void CKIV5980Doc::ApplyMeterSettings(const CMeterInterfacePrf& profile)
{
    if (profile.IsEqual(m_boxArray.GetProfile()))
        return;
    fw::CWaitCursor wait;
    if (!m_boxArray.BuildFromProfile(profile))
        return;
    const int k = std::max(GetChannelCount(), 1);
    m_tables[kTabChannel]->SetRowCount(k);
    m_tables[kTabDataTrigger]->SetRowCount(k);
    m_tables[kTabOutput]->SetRowCount(std::max(m_boxArray.GetOutputCount(), 1));
    if (!m_boxArray.ApplyAdSetting(m_boxArray.GetADSet()))
        fw::AfxMessageBox(prjstr::kMsgAdNotAllowed, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    ProjectHost().MeterProfile() = profile;
    RebuildChannels();
    RefreshFuncColumn();
    m_panelMonitor.RemoveChannelsFrom(GetChannelCount());
    SetModifiedFlag(true);
    m_boxArray.SetDataCount(-1, true);
    NotifyColumnsChanged(nullptr, 0, -1, -1, true);
    UpdateAllViews(nullptr, kHintConnection);
    ProjectHost().UpdateAllGraphDocs(kHintConnection, nullptr);
}

int CKIV5980Doc::CheckLimits(int channel, double value, bool magnitude, bool sound)
{
    double on = 0, upper = HUGE_VAL, lower = HUGE_VAL;
    if (channel < kFirstCalcChannel) {
        on = m_boxArray.GetChannelValue(channel, kCodeAlarm);
        upper = m_boxArray.GetChannelValue(channel, kCodeUpper);
        lower = m_boxArray.GetChannelValue(channel, kCodeLower);
    } else if (m_pCalcSettings) {
        const int row = channel - kFirstCalcChannel;
        on = m_pCalcSettings->GetObjectAt(kColOnOff)->GetValue(row);
        upper = m_pCalcSettings->GetObjectAt(kColUpper)->GetValue(row);
        lower = m_pCalcSettings->GetObjectAt(kColLower)->GetValue(row);
    }
    if (on != 1)
        return 0;
    int result = 4;
    if (std::isfinite(value)) {
        const double v = magnitude ? std::fabs(value) : value;
        result = 0;
        if (std::isfinite(upper) && upper < v)
            result += 2;
        if (std::isfinite(lower) && lower > v)
            result += 1;
    }
    if (sound)
        ProjectHost().RaiseAlarmSound(static_cast<int16_t>(result));
    return result;
}

bool CKIV5980Doc::HasChannelLimits(int channel)
{
    if (channel < kFirstCalcChannel)
        return m_boxArray.GetChannelValue(channel, kCodeAlarm) == 1 &&
               (std::isfinite(m_boxArray.GetChannelValue(channel, kCodeUpper)) ||
                std::isfinite(m_boxArray.GetChannelValue(channel, kCodeLower)));
    if (!m_pCalcSettings)
        return false;
    const int row = channel - kFirstCalcChannel;
    return m_pCalcSettings->GetObjectAt(kColOnOff)->GetValue(row) == 1 &&
           (std::isfinite(m_pCalcSettings->GetObjectAt(kColUpper)->GetValue(row)) ||
            std::isfinite(m_pCalcSettings->GetObjectAt(kColLower)->GetValue(row)));
}

int CKIV5980Doc::CheckChannelAlarm(CDataTankObject* tank, bool magnitude)
{
    if (!tank)
        return 0;
    int channel = -1;
    CKivSPTankData& channels = m_boxArray.GetTankList();
    for (int i = 0; i < channels.GetSize(); ++i)
        if (channels.GetObjectAt(i) == tank) {
            channel = i;
            break;
        }
    if (channel < 0)
        return 0;
    auto* calc = dynamic_cast<CCalcuDataTank*>(tank);
    const double value = calc ? calc->GetResult() : tank->GetValue(tank->GetDataCount() - 1);
    const int r = CheckLimits(channel, value, magnitude, true);
    AlarmLatch& latch = m_alarmLatches[channel];
    if (latch.state == 0 && r != 0) {
        latch.time = fw::COleDateTime::GetCurrentTime().m_dt;
        latch.value = value;
    }
    latch.state = ProjectHost().AlarmAutoReset() ? r : (latch.state | r);
    return latch.state;
}

int CKIV5980Doc::GetAlarmLatch(int channel) const
{
    const auto it = m_alarmLatches.find(channel);
    return it == m_alarmLatches.end() ? 0 : it->second.state;
}
