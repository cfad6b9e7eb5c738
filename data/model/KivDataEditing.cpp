// The editing services of the measurement-data document: the channel
// table, the calculated-channel definitions, the time unit and the GPS and
// CAN lists. Every change marks the document modified and tells the views.

#include "data/model/KivDataDoc.h"

#include "chart/model/GraphUpdateHints.h"
#include "common/base/ValueFormat.h"
#include "common/calc/CalcColumnTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/formula/FormulaText.h"
#include "common/tank/TimeDataTank.h"
#include "data/model/KivDataBoxPropaty.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/StringTable.h"

#include <algorithm>

namespace {

constexpr int kColName = 0;
constexpr int kColFunction = 1;
constexpr int kCalcRows = 1000;
constexpr intptr_t kHintData = 12;
constexpr intptr_t kHintCalcInserted = 13;
constexpr intptr_t kHintCalcDeleted = 14;
constexpr intptr_t kHintTimeUnit = 39;
constexpr unsigned kIdsElapsedTime = 159;
constexpr unsigned kIdsCount = 838;
constexpr int kGpsItemFirst = 1;
constexpr int kGpsItemLast = 15;

bool Touches(int first, int last, int column)
{
    return first <= column && column <= last;
}

} // namespace

bool CKivDataDoc::IsChannelOn(int channel)
{
    if (channel < 0 || channel >= GetChannelCount())
        return false;
    fw::CString text;
    m_boxes.GetChannelText(channel, CKivDataBoxPropaty::kColSet, text);
    return text == "SET";
}

bool CKivDataDoc::SetChannelTableText(int column, int viewColumn, int channel, const fw::CString& text,
                                      fw::CObject* view)
{
    if (column != CKivDataBoxPropaty::kColName && column != CKivDataBoxPropaty::kColUnit &&
        column != CKivDataBoxPropaty::kColFormat)
        return false;
    if (!IsChannelOn(channel))
        return true;
    if (!m_boxes.SetChannelText(channel, column, text))
        return false;
    SetModifiedFlag(true);
    if (view)
        SendUpdateHint(view, viewColumn, viewColumn, 0);
    return true;
}

void CKivDataDoc::NotifyCalcChannelsMoved(intptr_t hint, int first, int last)
{
    // The project's announcement, for no list in particular: monitors and
    // spectra of this document move their channel, graphs redraw.
    CUpdateGraphInsertDelete update;
    update.m_doc = GetDocIdent();
    update.m_first = kFirstCalcChannel + first;
    update.m_second = kFirstCalcChannel + last;
    update.m_key = -1;
    update.m_object = &m_boxes.GetTankList();
    DataDocHost().UpdateAllGraphDocs(hint, &update);
}

bool CKivDataDoc::InsertCalcChannels(int first, int last)
{
    CKivSPTankData& list = m_boxes.GetTankList();
    const int lastExisting = list.GetSize() - 501;
    const int clamped = std::max(std::min(last, lastExisting), 0);
    const int inserted = last - first + 1;
    if (first >= 0 && inserted > 0 && clamped >= first) {
        for (int i = 0; i < inserted; ++i)
            list.InsertTank(kFirstCalcChannel + first, nullptr, false);
        if (list.GetSize() > kLastChannel + 1)
            list.RemoveTanks(kLastChannel + 1, list.GetSize() - kLastChannel - 1);
    }
    if (first >= 0 && inserted > 0 && m_pDefinitions) {
        m_pDefinitions->InsertRows(0, first, m_pDefinitions->GetSize() - 1, last);
        // References move by the rows inserted, whatever the last existing
        // channel was.
        if (clamped >= first) {
            CDataTankObject* functions = m_pDefinitions->GetObjectAt(kColFunction);
            for (int row = 0; functions && row < functions->GetDataCount(); ++row) {
                fw::CString text;
                functions->GetValueText(row, text, false);
                if (!text.IsEmpty() && ShiftFormulaChannels(text, false, first, inserted))
                    functions->SetValueText(row, text);
            }
            RebuildChannels();
            if (HasOpData() && GetOpDataTanks())
                GetOpDataTanks()->InsertRows(0, kFirstCalcChannel + first, GetOpDataTanks()->GetSize() - 1,
                                             kFirstCalcChannel + last);
        }
    }
    SetModifiedFlag(true);
    NotifyCalcChannelsMoved(kHintCalcInserted, first, clamped);
    return true;
}

bool CKivDataDoc::DeleteCalcChannels(int first, int last)
{
    CKivSPTankData& list = m_boxes.GetTankList();
    if (first < 0 || last < first)
        return true;
    const int n = last - first + 1;
    if (kFirstCalcChannel + first < list.GetSize())
        list.RemoveTanks(kFirstCalcChannel + first, std::min(n, list.GetSize() - kFirstCalcChannel - first));
    if (m_pDefinitions)
        m_pDefinitions->DeleteRows(0, first, m_pDefinitions->GetSize() - 1, last);
    RebuildChannels();
    if (m_pDefinitions) {
        CDataTankObject* functions = m_pDefinitions->GetObjectAt(kColFunction);
        for (int row = 0; functions && row < functions->GetDataCount(); ++row) {
            fw::CString text;
            functions->GetValueText(row, text, false);
            if (!text.IsEmpty() && ShiftFormulaChannels(text, false, first, -n))
                functions->SetValueText(row, text);
        }
    }
    if (HasOpData() && GetOpDataTanks())
        GetOpDataTanks()->DeleteRows(0, kFirstCalcChannel + first, GetOpDataTanks()->GetSize() - 1,
                                     kFirstCalcChannel + last);
    SetModifiedFlag(true);
    NotifyCalcChannelsMoved(kHintCalcDeleted, first, last);
    return true;
}

bool CKivDataDoc::SetDefinitionText(int column, int row, const fw::CString& text, fw::CObject* view)
{
    if (!m_pDefinitions || row < 0 || row >= kCalcRows)
        return false;
    CDataTankObject* tank = m_pDefinitions->GetObjectAt(column);
    if (!tank)
        return false;
    m_boxes.GetTankList().GetOrCreateChannel(kFirstCalcChannel + row);
    if (tank->GetDataCount() <= row)
        tank->SetSize(row + 1, true);
    fw::CString old;
    tank->GetValueText(row, old, false);
    const bool accepted = tank->SetValueText(row, text);
    if (old != text)
        SetModifiedFlag(true);
    if (column == kColFunction)
        CompileFormulas(row, row);
    if (view) {
        if (column == kColFunction)
            m_boxes.GetTankList().RecalculateAll();
        if (column == kColName)
            RebuildChannels();
        SendUpdateHint(view, column, column, 0);
    }
    return accepted;
}

bool CKivDataDoc::SetDefinitionValue(int column, int row, int16_t value, fw::CObject* view)
{
    if (!m_pDefinitions || row < 0 || row >= kCalcRows)
        return false;
    CDataTankObject* tank = m_pDefinitions->GetObjectAt(column);
    if (!tank)
        return false;
    m_boxes.GetTankList().GetOrCreateChannel(kFirstCalcChannel + row);
    if (tank->GetDataCount() <= row)
        tank->SetSize(row + 1, true);
    const bool changed = tank->GetValue(row) != value;
    const bool accepted = tank->SetValue(row, value);
    if (changed)
        SetModifiedFlag(true);
    if (view)
        SendUpdateHint(view, column, column, 0);
    return accepted;
}

void CKivDataDoc::ClearDefinitionCells(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    if (!m_pDefinitions)
        return;
    m_pDefinitions->ClearBlock(firstColumn, firstRow, lastColumn, lastRow);
    SetModifiedFlag(true);
}

void CKivDataDoc::CompileFormulas(int firstRow, int lastRow)
{
    auto* formulas = m_pDefinitions ? dynamic_cast<CFuncTank*>(m_pDefinitions->GetObjectAt(kColFunction)) : nullptr;
    if (!formulas)
        return;
    // References to input channels reach as far as the record has them.
    const int16_t inputs = static_cast<int16_t>(GetChannelCount());
    formulas->SetChannelInfo(inputs, -1);
    m_boxes.GetTankList().CompileRange(formulas, firstRow, lastRow, inputs, -1);
}

void CKivDataDoc::RecalculateAll()
{
    // A formula that was only stored would leave its channel as it was
    // (or empty) and never show its error.
    CompileFormulas(0, kCalcRows - 1);
    m_boxes.GetTankList().RecalculateAll();
}

void CKivDataDoc::SetTimeUnit(int unit)
{
    m_adSet.m_nUnit = unit;
    const bool external = m_adSet.m_nExtClk >= 1;
    if (auto* time = dynamic_cast<CTimeDataTank*>(m_boxes.GetTankList().GetTimeTank())) {
        const double step = m_adSet.m_dClk / m_adSet.GetUnitFactor(unit);
        time->SetInterval(step);
        time->SetUnitIndex(unit);
        time->SetFormat(CountDecimalPlaces(step, 15));
        time->SetName(fw::LoadStringText(external ? kIdsCount : kIdsElapsedTime));
        if (external) {
            time->SetInterval(1.0);
            time->SetUnitIndex(CTimeDataTank::kUnitSamples);
        }
        fw::CString text;
        time->GetUnitText(text);
        time->SetUnit(text);
    }
    ApplyCanTimeUnit(unit);
    SetModifiedFlag(true);
    CUpdateDataDoc hint(this);
    UpdateAllViews(nullptr, kHintTimeUnit, &hint);
    DataDocHost().UpdateAllGraphDocs(kHintTimeUnit, &hint);
}

void CKivDataDoc::ApplyCanTimeUnit(int unit)
{
    CCanDataTankList& can = m_boxes.GetCanTanks();
    for (int i = 0; i < can.GetSize(); i += 2) {
        CDataTankObject* tank = can.GetObjectAt(i);
        auto* calc = dynamic_cast<CCalcuDataTank*>(tank);
        auto* time = dynamic_cast<CTimeDataTank*>(calc ? calc->GetResultTank() : tank);
        if (!time)
            continue;
        time->SetUnitIndex(unit);
        fw::CString text;
        time->GetUnitText(text);
        tank->SetUnit(text);
    }
}

void CKivDataDoc::RebuildGpsChannels()
{
    m_gpsChannels.DeleteAll();
    CKivSPTankData& list = m_boxes.GetTankList();
    const std::vector<int16_t>& codes = m_boxes.GetSourceCodes();
    int values = 0;
    for (int i = 0; i < std::min<int>(GetChannelCount(), static_cast<int>(codes.size())); ++i) {
        const int16_t code = codes[static_cast<size_t>(i)];
        auto* tank = dynamic_cast<CCashCalcuDataTank*>(list.GetObjectAt(i));
        if (code < kGpsItemFirst || code > kGpsItemLast || !tank)
            continue;
        tank->SetChannelNumber(static_cast<int16_t>(i));
        m_gpsChannels.AddTank(tank, true);
        values = std::max(values, tank->GetDataCount());
    }
    if (m_styles[kStyleGpsValues]) {
        m_styles[kStyleGpsValues]->SetColumnCount(std::max(m_gpsChannels.GetSize(), 1));
        m_styles[kStyleGpsValues]->SetRowCount(values + 1);
    }
    if (m_styles[kStyleGpsGraph])
        m_styles[kStyleGpsGraph]->SetRowCount(std::max(m_gpsChannels.GetSize(), 1));
}

int32_t CKivDataDoc::SenderFlags(const fw::CRuntimeClass* senderClass, int first, int last)
{
    if (!senderClass)
        return 0;
    const std::string name = senderClass->name;
    int32_t flags = 0;
    if (name == "CKivDataChView") {
        if (Touches(first, last, 1) || Touches(first, last, 13))
            flags |= 0x10;
        if (Touches(first, last, 14))
            flags |= 8;
        if (first <= 12 && last >= 9)
            flags |= 4;
    } else if (name == "CKivDataEXChView") {
        if (Touches(first, last, 0) || Touches(first, last, 2))
            flags |= 0x10;
        if (Touches(first, last, 3))
            flags |= 8;
    } else if (name == "CKivDataChDataView") {
        flags |= 1;
    } else if (name == "CKivDataGraphView") {
        flags |= 0x21;
    }
    return flags;
}

void CKivDataDoc::SendUpdateHint(fw::CObject* sender, int first, int last, int32_t flags)
{
    CUpdateKivData hint(this);
    hint.m_changeFlags = flags | SenderFlags(sender ? sender->GetRuntimeClass() : nullptr, first, last);
    hint.m_firstColumn = first;
    hint.m_lastColumn = last;
    hint.m_pSender = sender;
    UpdateAllViews(nullptr, kHintData, &hint);
    DataDocHost().UpdateAllGraphDocs(kHintData, &hint);
}
