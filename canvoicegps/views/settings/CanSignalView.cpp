#include "canvoicegps/views/settings/CanSignalView.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/CanSigArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "canvoicegps/views/settings/CanNodeBitsView.h"
#include "canvoicegps/views/settings/CanNodeUpdate.h"
#include "canvoicegps/views/settings/CanPageSupport.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "common/calc/DataFormat.h"
#include "framework/core/Collections.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/Menu.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/KivUnit.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <string>

FW_IMPLEMENT_DYNCREATE(CCanSignalView, CProjectBaseView)

FW_BEGIN_COMMANDS(CCanSignalView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(CCanSignalView::kIdUnsigned, CCanSignalView::kIdIntel, &CCanSignalView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanSignalView::kIdUnsigned, CCanSignalView::kIdIntel, &CCanSignalView::OnUpdateValueCommand)
    FW_ON_COMMAND_RANGE(CCanSignalView::kIdFirstUnit, CCanSignalView::kIdLastUnit, &CCanSignalView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanSignalView::kIdFirstUnit, CCanSignalView::kIdLastUnit,
                       &CCanSignalView::OnUpdateValueCommand)
    FW_ON_COMMAND_RANGE(CCanSignalView::kIdFirstFormat, CCanSignalView::kIdLastFormat,
                        &CCanSignalView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanSignalView::kIdFirstFormat, CCanSignalView::kIdLastFormat,
                       &CCanSignalView::OnUpdateValueCommand)
    FW_ON_UPDATE_RANGE(CCanSignalView::kIdFormatRangeFirst, CCanSignalView::kIdFormatRangeLast,
                       &CCanSignalView::OnUpdateDisabled)
    FW_ON_COMMAND_RANGE(CCanSignalView::kIdSourceFirst, CCanSignalView::kIdSourceLast,
                        &CCanSignalView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanSignalView::kIdSourceFirst, CCanSignalView::kIdSourceLast,
                       &CCanSignalView::OnUpdateValueCommand)
    FW_ON_UPDATE(CCanSignalView::kIdSourceOff, &CCanSignalView::OnUpdateDisabled)
    FW_ON_COMMAND(CProjectBaseView::kIdDeleteRows, &CCanSignalView::OnDeleteCommand)
    FW_ON_UPDATE(CProjectBaseView::kIdDeleteRows, &CCanSignalView::OnUpdateDeleteCommand)
FW_END_COMMANDS

namespace {

using namespace canattr;

constexpr int kReceiveCodes[CCanSignalView::kColumns] = {kSignalName, kSign,   kByteOrder, kLsbPosition, kLength,
                                                          kFactor,     kOffset, kUnit,      kDecimals};
constexpr int kSendCodes[CCanSignalView::kColumns] = {kSignalName,  kSource, kSign,   kByteOrder, kLsbPosition,
                                                       kLength,      kFactor, kOffset, kUnit};

constexpr canpage::Caption CaptionOf(int code)
{
    switch (code) {
    case kSignalName: return {800, "シグナル名"};
    case kSign: return {803, "符号属性"};
    case kByteOrder: return {807, "データ形式"};
    case kLsbPosition: return {801, "スタートビット"};
    case kLength: return {802, "ビット長"};
    case kFactor: return {805, "係数"};
    case kOffset: return {804, "オフセット"};
    case kUnit: return {809, "単位"};
    case kDecimals: return {185, "ﾌｫｰﾏｯﾄ"};
    case kSource: return {546, "入力ｃｈ."};
    default: return {0, ""};
    }
}

const CDataFormat& Formats()
{
    static const CDataFormat formats;
    return formats;
}

// The decimals a signal stores: the number formats 0 .. 0.0000000.
constexpr size_t kMaxDecimals = 7;

// A send signal fills the frame's two bytes, most significant first.
constexpr int kSendStartBit = 7;
constexpr int kSendLength = 16;

bool g_settingText = false;

// "１" .. "１０": the unit slots' numbers as the source menu writes them.
std::string FullWidthNumber(int n)
{
    static const char* const digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string text;
    for (char c : std::to_string(n))
        text += digits[c - '0'];
    return text;
}

} // namespace

CCanSignalView::CCanSignalView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    canpage::EnsureCanMenus();
}

int CCanSignalView::ColumnCode(int32_t col) const
{
    if (col < 0 || col >= kColumns)
        return -1;
    return m_direction ? kSendCodes[col] : kReceiveCodes[col];
}

bool CCanSignalView::IsFixedColumn(int32_t col) const { return m_direction && col >= 2; }

bool CCanSignalView::IsLocked() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return !doc || doc->IsEditLocked() || IsMeasuringProject();
}

int32_t CCanSignalView::RowCount() const
{
    return m_pSignals && !m_direction ? m_pSignals->GetSize() + 1 : 1;
}

void CCanSignalView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabCanSignal));
}

void CCanSignalView::ShowSignals(bool send, int32_t unitIndex, CCanSigArray* sigArray, fw::CObject* selected)
{
    m_direction = send ? 1 : 0;
    m_unitIndex = unitIndex;
    m_pSignals = sigArray;
    int32_t current = 0;
    if (sigArray && !send)
        for (int i = 0; i < sigArray->GetSize(); ++i)
            if (sigArray->GetAt(i) == selected)
                current = i;
    m_active = 0;
    canpage::ShowRows(this, RowCount(), current);
    m_active = 1;
    if (m_pBitsView)
        m_pBitsView->ShowBits(send, sigArray, current);
}

void CCanSignalView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    auto* update = dynamic_cast<CCanNodeUpdate*>(hintObject);
    if (hint != CCanNodeUpdate::kHintCan || !update || sender == this || !GetGrid())
        return;
    const bool otherGrid = dynamic_cast<CCanSignalView*>(sender) != nullptr;
    if (update->m_kind == CCanNodeUpdate::kLength ||
        (otherGrid && (update->m_kind == CCanNodeUpdate::kAttribute || update->m_kind == CCanNodeUpdate::kRenamed)))
        GetGrid()->RedrawPanes();
}

bool CCanSignalView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    const int code = ColumnCode(col);
    text = code < 0 ? fw::CString() : canpage::Text(CaptionOf(code));
    return true;
}

void CCanSignalView::SourceText(int source, fw::CString& text) const
{
    text.Empty();
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc && source > 0 ? doc->GetBoxArray().GetBox(m_unitIndex) : nullptr;
    const int channel = box ? box->FindBoxChannel(source) : -1;
    if (channel >= 0)
        box->GetChannelText(channel, 1000, text);
}

bool CCanSignalView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const int code = ColumnCode(col);
    if (!m_pSignals || code < 0 || row < 0 || !m_pSignals->GetAt(row))
        return true;
    if (code == kDecimals)
        text = Formats().GetFormatText(static_cast<int16_t>(m_pSignals->GetValue(row, kDecimals)));
    else if (code == kSource)
        SourceText(static_cast<int>(m_pSignals->GetValue(row, kSource)), text);
    else
        m_pSignals->GetText(row, code, text);
    return true;
}

void CCanSignalView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    const int code = ColumnCode(col);
    if (!m_pSignals || code < 0 || row < 0 || !m_pSignals->GetAt(row))
        return;
    const int check = code == kLsbPosition ? kStartBit : code;
    if (!m_pSignals->IsValid(row, check)) {
        fw::CString text;
        GetSheetText(text, col, row, 1);
        if (code == kSource && text.IsEmpty())
            canpage::RedBack(format);
        else
            canpage::RedText(format);
    } else if (IsFixedColumn(col)) {
        canpage::GreyText(format);
    }
}

bool CCanSignalView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    const int code = ColumnCode(col);
    const bool typed = code == kSignalName ||
                       (!m_direction && (code == kLength || code == kFactor || code == kOffset || code == kLsbPosition));
    return typed && GetSheetText(text, col, row, 1);
}

void CCanSignalView::Notify(int32_t kind, fw::CObject* object)
{
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        CCanNodeUpdate update(kind, object, m_direction != 0);
        update.m_unitIndex = m_unitIndex;
        doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
    }
}

void CCanSignalView::Repaint()
{
    if (GetGrid())
        GetGrid()->RedrawPanes();
    if (m_pBitsView && m_pBitsView->GetGrid())
        m_pBitsView->GetGrid()->RedrawPanes();
}

bool CCanSignalView::SetName(int32_t row, const fw::CString& text)
{
    if (C463CanMesSignal* signal = m_pSignals->GetAt(row)) {
        if (!signal->SetText(kSignalName, text.c_str()))
            return false;
        Notify(CCanNodeUpdate::kRenamed, signal);
        return true;
    }
    auto signal = std::make_unique<C463CanMesSignal>();
    signal->SetFrameBits(static_cast<int16_t>(m_pSignals->GetFrameBits()));
    if (m_direction) {
        signal->SetValue(kByteOrder, 0);
        signal->SetValue(kLength, kSendLength);
        signal->SetValue(kStartBit, kSendStartBit);
    }
    if (!signal->SetText(kSignalName, text.c_str()))
        return false;
    C463CanMesSignal* added = signal.release();
    m_pSignals->AddSignal(added);
    m_pSignals->UpdateBitUsage();
    Notify(CCanNodeUpdate::kAdded, added);
    canpage::SetRowCount(this, RowCount());
    return true;
}

std::vector<int> CCanSignalView::ChannelsNamed(const fw::CString& name) const
{
    std::vector<int> numbers;
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc ? doc->GetBoxArray().GetBox(m_unitIndex) : nullptr;
    if (!box)
        return numbers;
    for (int number = 1; number <= box->GetMapSize(); ++number) {
        const int channel = box->FindBoxChannel(number);
        fw::CString text;
        if (channel >= 0 && box->GetChannelText(channel, 1000, text) && text == name)
            numbers.push_back(number);
    }
    return numbers;
}

bool CCanSignalView::SetDecimalsText(int32_t row, const fw::CString& text)
{
    // "0.00000000" and longer name more decimals than a signal stores;
    // taking them as 0 would lose the user's intent without a word.
    const std::string s = text.str();
    if (s.size() > 2 + kMaxDecimals && s.compare(0, 2, "0.") == 0 &&
        s.find_first_not_of('0', 2) == std::string::npos) {
        fw::Prompt().MessageBox(fw::FormatString(fw::kIdpParseIntRange, "0", std::to_string(kMaxDecimals)),
                                fw::MB_OK | fw::MB_ICONEXCLAMATION, fw::kIdpParseIntRange);
        return false;
    }
    return m_pSignals->SetValue(row, kDecimals, std::max<int16_t>(Formats().FindFormatCode(text), 0));
}

bool CCanSignalView::SetSource(int32_t row, const fw::CString& text)
{
    if (text.IsEmpty())
        return false;
    bool changed = false;
    for (int number : ChannelsNamed(text))
        changed = m_pSignals->SetValue(row, kSource, number);
    if (!changed && text.Find("CH") >= 0) {
        std::string digits = text.str();
        for (size_t at = digits.find("CH"); at != std::string::npos; at = digits.find("CH"))
            digits.erase(at, 2);
        changed = m_pSignals->SetValue(row, kSource, std::atoi(digits.c_str()));
    }
    return changed;
}

bool CCanSignalView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    if (g_settingText)
        return true;
    const int code = ColumnCode(col);
    if (!m_pSignals || code < 0 || row < 0)
        return false;
    if (!m_pSignals->GetAt(row) && code != kSignalName) {
        if (fromEditor)
            canpage::Tell(kIdsNameFirst, "先に名前を設定してください。", {});
        return true;
    }
    if (IsFixedColumn(col))
        return false;
    g_settingText = true;
    bool changed = false;
    try {
        if (code == kSignalName)
            changed = SetName(row, text);
        else if (code == kDecimals)
            changed = SetDecimalsText(row, text);
        else if (code == kSource)
            changed = SetSource(row, text);
        else
            changed = m_pSignals->SetText(row, code, text.c_str());
    } catch (const fw::CException& e) {
        e.ReportError();
    }
    if (changed) {
        SyncSlotChannel(row, col);
        if (CKIV5980Doc* doc = GetProjectDoc())
            doc->SetModifiedFlag();
        Notify(CCanNodeUpdate::kAttribute, m_pSignals->GetAt(row));
    }
    Repaint();
    g_settingText = false;
    return true;
}

bool CCanSignalView::SetColumnValue(int32_t col, double value)
{
    const int code = ColumnCode(col);
    if (!m_pSignals || code < 0 || !GetGrid() || IsFixedColumn(col))
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!m_pSignals->GetAt(row) || !m_pSignals->SetValue(row, code, value))
            break;
        SyncSlotChannel(row, col);
        any = true;
    }
    if (!any)
        return false;
    Repaint();
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->SetModifiedFlag();
    Notify(CCanNodeUpdate::kAttribute, m_pSignals->GetAt(sel.top));
    return true;
}

bool CCanSignalView::SetColumnText(int32_t col, const fw::CString& text)
{
    const int code = ColumnCode(col);
    if (!m_pSignals || code < 0 || !GetGrid() || IsFixedColumn(col))
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!m_pSignals->GetAt(row) || !m_pSignals->SetText(row, code, text.c_str()))
            break;
        SyncSlotChannel(row, col);
        any = true;
    }
    if (!any)
        return false;
    Repaint();
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->SetModifiedFlag();
    Notify(CCanNodeUpdate::kAttribute, m_pSignals->GetAt(sel.top));
    return true;
}

void CCanSignalView::SyncSlotChannel(int32_t row, int32_t col)
{
    const int code = ColumnCode(col);
    if (m_direction || (code != kFactor && code != kOffset && code != kUnit))
        return;
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    if (code == kFactor)
        doc->NotifyColumnsChanged(this, col, col, 0, true);
    const int source = static_cast<int>(m_pSignals->GetValue(row, kSource));
    if (source <= 0)
        return;
    const int index = FedChannel(source);
    if (index < 0)
        return;
    C463CanMesSignal* signal = m_pSignals->GetAt(row);
    CBoxArray& system = doc->GetBoxArray();
    system.SetChannelValue(index, CDataPropaty::kOffset, signal->GetOffset() / signal->GetFactor());
    system.SetChannelValue(index, CDataPropaty::kFormat, signal->GetDecimals());
    fw::CString unit;
    signal->GetText(kUnit, unit);
    system.SetChannelText(index, CKiv463Unit::kAttrEngUnit, unit.c_str());
    doc->NotifyColumnsChanged(this, col, col, 0, true);
}

int CCanSignalView::FedChannel(int source) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxArray* system = doc ? &doc->GetBoxArray() : nullptr;
    CBoxPropaty* box = system ? system->GetBox(m_unitIndex) : nullptr;
    CKivMeter* meter = box ? box->GetMeter() : nullptr;
    if (!meter)
        return -1;
    int port = -1;
    for (int p = 0; p < CKivMeter::kPorts && port < 0; ++p) {
        auto* unit = dynamic_cast<CKiv463Unit*>(meter->GetUnit(p));
        for (int entry = 0; unit && entry < CCanNodeArray::kEntries; ++entry) {
            C463CanMesNode* message = unit->Messages().GetAt(entry);
            if (message && &message->Signals() == m_pSignals)
                port = p;
        }
    }
    if (port < 0)
        return -1;
    for (int m = 0; m < system->GetMapSize(); ++m) {
        const tagBOXCH entry = system->GetMapEntry(m);
        if (entry.box != m_unitIndex)
            continue;
        const tagBOXCH ref = box->GetChannelRef(entry.ch);
        if (ref.box == port && ref.ch == source - 1)
            return m;
    }
    return -1;
}

bool CCanSignalView::CommandColumn(unsigned id, int32_t& col, double& value) const
{
    const int32_t shift = m_direction ? 1 : 0;
    if (id >= kIdUnsigned && id <= kIdSigned) {
        col = 1 + shift;
        value = id - kIdUnsigned;
    } else if (id >= kIdMotorola && id <= kIdIntel) {
        col = 2 + shift;
        value = id - kIdMotorola;
    } else if (id >= kIdFirstUnit && id <= kIdLastUnit) {
        col = 7 + shift;
        value = id - kIdFirstUnit;
    } else if (id >= kIdFirstFormat && id <= kIdLastFormat && !m_direction) {
        col = 8;
        value = Formats().GetFormatCode(id);
    } else if (id >= kIdSourceFirst && id <= kIdSourceLast && m_direction) {
        col = 1;
        value = id - kIdSourceOff;
    } else {
        return false;
    }
    return true;
}

void CCanSignalView::OnValueCommand(unsigned id)
{
    int32_t col = 0;
    double value = 0;
    if (!CommandColumn(id, col, value))
        return;
    RecordSelection(kUndoColumn, col);
    if (ColumnCode(col) == kUnit)
        SetColumnText(col, engunit::DisplayText(static_cast<int>(value)));
    else
        SetColumnValue(col, value);
}

void CCanSignalView::OnUpdateValueCommand(fw::CCmdUI* ui)
{
    int32_t col = 0;
    double value = 0;
    const bool source = ui->m_nID >= kIdSourceFirst && ui->m_nID <= kIdSourceLast;
    if (!CommandColumn(ui->m_nID, col, value) || !m_pSignals || IsLocked() || IsFixedColumn(col) || !GetGrid() ||
        (source && !IsInputChannel(static_cast<int>(value)))) {
        ui->Enable(false);
        return;
    }
    const CCellRange sel = GetGrid()->GetSelection();
    bool enable = sel.left <= col && col <= sel.right && sel.top >= 0;
    bool all = enable;
    for (int32_t row = sel.top; enable && row <= sel.bottom; ++row) {
        if (!m_pSignals->GetAt(row))
            enable = false;
        else if (m_pSignals->GetValue(row, ColumnCode(col)) != value)
            all = false;
    }
    ui->Enable(enable);
    ui->SetCheck(enable && all ? 1 : 0);
}

void CCanSignalView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    const int code = ColumnCode(col);
    if (code == kSign || code == kByteOrder || code == kUnit || code == kDecimals || code == kSource)
        OnDropDown(col, row, screen);
}

void CCanSignalView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (!m_pSignals || IsLocked() || IsFixedColumn(col))
        return;
    const int code = ColumnCode(col);
    if (code == kSign) {
        OpenCellMenu(kIdSignMenu, col, row);
    } else if (code == kByteOrder) {
        OpenCellMenu(kIdOrderMenu, col, row);
    } else if (code == kUnit) {
        CKivUnitMenu units;
        units.LoadUnits(kIdFirstUnit - 1);
        TrackCellMenu(units, col, row);
    } else if (code == kDecimals) {
        fw::CMenu formats;
        if (!formats.CreatePopupMenu())
            return;
        for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
            formats.AppendMenu(fw::MF_STRING, item.command, item.text);
        TrackCellMenu(formats, col, row);
    } else if (code == kSource) {
        fw::CMenu sources;
        if (BuildSourceMenu(sources))
            TrackCellMenu(sources, col, row);
    }
}

bool CCanSignalView::IsInputChannel(int number) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc ? doc->GetBoxArray().GetBox(m_unitIndex) : nullptr;
    CKivMeter* meter = box ? box->GetMeter() : nullptr;
    CKivUnit* unit = meter && number > 0 ? meter->FindUnitOfChannel(number) : nullptr;
    return unit && unit->HasInputs();
}

bool CCanSignalView::BuildSourceMenu(fw::CMenu& menu) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc ? doc->GetBoxArray().GetBox(m_unitIndex) : nullptr;
    CKivMeter* meter = box ? box->GetMeter() : nullptr;
    if (!meter || !menu.CreatePopupMenu())
        return false;
    menu.AppendMenu(fw::MF_STRING | fw::MF_GRAYED, kIdSourceOff, "OFF");
    for (int port = 0; port < CKivMeter::kPorts; ++port) {
        CKivUnit* unit = meter->GetUnit(port);
        if (!unit || !unit->HasInputs())
            continue;
        fw::CMenu slot;
        if (!slot.CreatePopupMenu())
            return false;
        for (int k = 0; k < kSourcesPerSlot; ++k) {
            const int number = port * kSourcesPerSlot + k + 1;
            fw::CString name;
            SourceText(number, name);
            if (name.IsEmpty())
                name = fw::Format("CH%d", number);
            slot.AppendMenu(fw::MF_STRING, kIdSourceOff + static_cast<unsigned>(number), name);
        }
        menu.AppendMenu(fw::MF_POPUP, reinterpret_cast<uintptr_t>(slot.Detach()),
                        fw::Format("ユニット%s", FullWidthNumber(port + 1).c_str()));
    }
    return true;
}

void CCanSignalView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    if (!GetGrid())
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    const int code = ColumnCode(cur.col);
    SetDropButton(!IsFixedColumn(cur.col) && (code == kSign || code == kByteOrder || code == kUnit ||
                                              code == kDecimals || code == kSource));
    if (m_active && m_pSignals && cur.row >= 0)
        if (C463CanMesSignal* signal = m_pSignals->GetAt(cur.row)) {
            Notify(CCanNodeUpdate::kSelected, signal);
            if (m_pBitsView)
                m_pBitsView->ShowBits(m_direction != 0, m_pSignals, cur.row);
        }
}

CZELGridRichWnd* CCanSignalView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    const int code = ColumnCode(col);
    if (IsLocked() || !m_pSignals)
        return nullptr;
    if (code == kSignalName) {
        if (byKey && ch == ' ')
            return nullptr;
        return byKey ? CProjectBaseView::CreateCellEditorForKey(pane, rect, text, ch, key)
                     : CProjectBaseView::CreateCellEditor(pane, rect, text, fw::CPoint());
    }
    if (m_direction)
        return nullptr;
    if (code == kLength || code == kLsbPosition)
        return MakeNumericEditor(pane, rect, text, "", ch, key, byKey);
    if (code == kFactor || code == kOffset)
        return MakeNumericEditor(pane, rect, text, "+-.eE", ch, key, byKey);
    return nullptr;
}

CZELGridRichWnd* CCanSignalView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                  fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CCanSignalView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                        const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

bool CCanSignalView::CanDeleteRows()
{
    if (IsLocked() || !GetGrid() || !m_pSignals)
        return false;
    const int32_t top = GetGrid()->GetSelection().top;
    return top >= 0 && m_pSignals->GetAt(top) != nullptr;
}

void CCanSignalView::OnUpdateDeleteCommand(fw::CCmdUI* ui) { ui->Enable(CanDeleteRows()); }

void CCanSignalView::OnDeleteCommand()
{
    if (CanDeleteRows())
        DeleteSignals();
}

void CCanSignalView::DeleteSignals()
{
    const CCellRange sel = GetGrid()->GetSelection();
    std::vector<C463CanMesSignal*> doomed;
    for (int32_t row = sel.top; row <= sel.bottom; ++row)
        if (C463CanMesSignal* signal = m_pSignals->GetAt(row))
            doomed.push_back(signal);
    CPollingPause pause;
    fw::CObArray deleted;
    if (auto* tree = dynamic_cast<CCanSetView*>(m_pTree)) {
        // The tree deletes them with its items.
        for (C463CanMesSignal* signal : doomed)
            deleted.Add(signal);
        tree->DeleteItems(std::vector<fw::CObject*>(doomed.begin(), doomed.end()));
        doomed.clear();
    } else {
        for (C463CanMesSignal* signal : doomed)
            if (m_pSignals->RemoveSignal(signal))
                deleted.Add(signal);
        m_pSignals->UpdateBitUsage();
    }
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        doc->SetModifiedFlag();
        CCanNodeUpdate update(CCanNodeUpdate::kDeleted, &deleted, m_direction != 0);
        update.m_unitIndex = m_unitIndex;
        doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
    }
    for (C463CanMesSignal* signal : doomed)
        delete signal;
    ShowSignals(m_direction != 0, m_unitIndex, m_pSignals, nullptr);
}
