#include "canvoicegps/views/settings/CanNodeView.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/views/settings/CanPageSupport.h"
#include "canvoicegps/views/settings/CanSetView.h"
#include "canvoicegps/views/settings/CanNodeUpdate.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

FW_IMPLEMENT_DYNCREATE(CCanNodeView, CProjectBaseView)

FW_BEGIN_COMMANDS(CCanNodeView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(CCanNodeView::kIdStandard, CCanNodeView::kIdLength8, &CCanNodeView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanNodeView::kIdStandard, CCanNodeView::kIdLength8, &CCanNodeView::OnUpdateValueCommand)
    FW_ON_COMMAND_RANGE(CCanNodeView::kIdRemoteOff, CCanNodeView::kIdRemoteOn, &CCanNodeView::OnValueCommand)
    FW_ON_UPDATE_RANGE(CCanNodeView::kIdRemoteOff, CCanNodeView::kIdRemoteOn, &CCanNodeView::OnUpdateValueCommand)
    FW_ON_COMMAND(CProjectBaseView::kIdDeleteRows, &CCanNodeView::OnDeleteCommand)
    FW_ON_UPDATE(CProjectBaseView::kIdDeleteRows, &CCanNodeView::OnUpdateDeleteCommand)
FW_END_COMMANDS

namespace {

constexpr int kCodes[CCanNodeView::kColumns] = {canattr::kMessageName, canattr::kIdentifier, canattr::kIdFormat,
                                                 canattr::kDataLength, canattr::kRemoteFrame, canattr::kNodeName};
constexpr canpage::Caption kCaptions[CCanNodeView::kColumns] = {
    {795, "メッセージ名"}, {796, "CAN ID番号"}, {797, "IDタイプ"}, {798, "バイト長"}, {845, "リモートフレーム"}, {799, "ノード名"}};
constexpr int32_t kColFormat = 2;
constexpr int32_t kColLength = 3;
constexpr int32_t kColRemote = 4;

// The column of a value command and the value it sets.
bool CommandColumn(unsigned id, int32_t& col, int& value)
{
    if (id >= CCanNodeView::kIdStandard && id <= CCanNodeView::kIdExtended) {
        col = kColFormat;
        value = static_cast<int>(id - CCanNodeView::kIdStandard);
    } else if (id >= CCanNodeView::kIdLength1 && id <= CCanNodeView::kIdLength8) {
        col = kColLength;
        value = static_cast<int>(id - CCanNodeView::kIdLength1) + 1;
    } else if (id >= CCanNodeView::kIdRemoteOff && id <= CCanNodeView::kIdRemoteOn) {
        col = kColRemote;
        value = static_cast<int>(id - CCanNodeView::kIdRemoteOff);
    } else {
        return false;
    }
    return true;
}

bool g_settingText = false;

} // namespace

CCanNodeView::CCanNodeView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    canpage::EnsureCanMenus();
}

C463CanMesNode* CCanNodeView::GetMessage(int32_t row) const
{
    return row >= 0 && row < GetShownCount() ? m_shown[static_cast<size_t>(row)] : nullptr;
}

bool CCanNodeView::IsLocked() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return !doc || doc->IsEditLocked() || IsMeasuringProject();
}

void CCanNodeView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabCanNode));
}

void CCanNodeView::ShowMessages(bool send, int32_t unitIndex, CCanNodeArray* messages, C463CanMesNode* selected,
                                fw::CObject* selectedSignal)
{
    if (!messages)
        return;
    m_pMessages = messages;
    m_direction = send ? 1 : 0;
    m_unitIndex = unitIndex;
    m_shown.clear();
    int32_t current = 0;
    for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
        C463CanMesNode* message = messages->GetAt(entry);
        if (!message || message->IsSend() != send)
            continue;
        if (message == selected)
            current = GetShownCount();
        m_shown.push_back(message);
    }
    m_active = 0;
    int32_t rows = GetShownCount() + 1;
    if (send)
        rows = std::min<int32_t>(rows, CCanNodeArray::kMaxSendMessages);
    canpage::ShowRows(this, rows, current);
    m_active = 1;
    if (m_pSignalView) {
        C463CanMesNode* message = GetMessage(current);
        m_pSignalView->ShowSignals(send, unitIndex, message ? &message->Signals() : nullptr, selectedSignal);
    }
}

void CCanNodeView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    auto* update = dynamic_cast<CCanNodeUpdate*>(hintObject);
    if (hint != CCanNodeUpdate::kHintCan || !update || sender == this)
        return;
    if ((update->m_kind == CCanNodeUpdate::kAttribute || update->m_kind == CCanNodeUpdate::kLength) &&
        dynamic_cast<CCanNodeView*>(sender) && GetGrid())
        GetGrid()->RedrawPanes();
}

bool CCanNodeView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    text = col >= 0 && col < kColumns ? canpage::Text(kCaptions[col]) : fw::CString();
    return true;
}

bool CCanNodeView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    C463CanMesNode* message = GetMessage(row);
    if (message && col >= 0 && col < kColumns)
        message->GetText(kCodes[col], text);
    return true;
}

void CCanNodeView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    C463CanMesNode* message = GetMessage(row);
    if (message && col >= 0 && col < kColumns && !message->IsAttributeValid(kCodes[col]))
        canpage::RedText(format);
}

bool CCanNodeView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col != 0 && col != 1 && col != 5)
        return false;
    return GetSheetText(text, col, row, 1);
}

void CCanNodeView::Notify(int32_t kind, fw::CObject* object)
{
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        CCanNodeUpdate update(kind, object, m_direction != 0);
        update.m_unitIndex = m_unitIndex;
        doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
    }
}

void CCanNodeView::RecomputeDuplicates()
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->GetBoxArray().MarkDuplicateCanIds();
}

void CCanNodeView::RepaintRows(int32_t, int32_t)
{
    if (GetGrid())
        GetGrid()->RedrawPanes();
}

bool CCanNodeView::SetName(int32_t row, const fw::CString& text, bool interactive)
{
    C463CanMesNode* message = GetMessage(row);
    const bool made = message == nullptr;
    if (made) {
        message = m_pMessages->AddMessage(m_direction != 0);
        if (!message) {
            if (interactive)
                canpage::Tell(kIdsNoFreeMessage,
                              "送信メッセージ、受信メッセージ合わせて%1、送信メッセージは%2以上の作成はできません。",
                              {"64", "8"});
            return false;
        }
        m_shown.push_back(message);
        RecomputeDuplicates();
    }
    if (message->SetText(canattr::kMessageName, text.c_str())) {
        Notify(made ? CCanNodeUpdate::kAdded : CCanNodeUpdate::kRenamed, message);
        return true;
    }
    if (made) {
        // A new message whose name is refused is not kept.
        m_pMessages->Detach(message);
        m_shown.pop_back();
        delete message;
        RecomputeDuplicates();
    }
    return false;
}

bool CCanNodeView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    if (g_settingText)
        return true;
    if (!m_pMessages || col < 0 || col >= kColumns || row < 0)
        return true;
    g_settingText = true;
    const bool interactive = fromEditor != 0;
    bool changed = false;
    if (!GetMessage(row) && col != 0) {
        if (interactive)
            canpage::Tell(kIdsNameFirst, "先に名前を設定してください。", {});
    } else if (col == 0) {
        try {
            changed = SetName(row, text, interactive);
        } catch (const fw::CException& e) {
            e.ReportError();
        }
    } else {
        changed = GetMessage(row)->SetText(kCodes[col], text.c_str());
        if (changed && col == 1)
            RecomputeDuplicates();
    }
    if (changed) {
        if (CKIV5980Doc* doc = GetProjectDoc())
            doc->SetModifiedFlag();
        Notify(col == kColLength ? CCanNodeUpdate::kLength : CCanNodeUpdate::kAttribute, GetMessage(row));
        if (col == 0 && GetGrid()) {
            // The new message's row and the next empty row.
            const int32_t rows = m_direction ? std::min<int32_t>(GetShownCount() + 1, CCanNodeArray::kMaxSendMessages)
                                             : GetShownCount() + 1;
            canpage::SetRowCount(this, rows);
        }
    }
    RepaintRows(row, row);
    g_settingText = false;
    return true;
}

bool CCanNodeView::SetColumnValue(int32_t col, double value)
{
    if (!m_pMessages || col < 0 || col >= kColumns || !GetGrid())
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        C463CanMesNode* message = GetMessage(row);
        if (!message || !message->SetValue(kCodes[col], value))
            break;
        any = true;
    }
    if (!any)
        return false;
    RepaintRows(sel.top, sel.bottom);
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->SetModifiedFlag();
    Notify(col == kColLength ? CCanNodeUpdate::kLength : CCanNodeUpdate::kAttribute, GetMessage(sel.top));
    return true;
}

void CCanNodeView::OnValueCommand(unsigned id)
{
    int32_t col = 0;
    int value = 0;
    if (!CommandColumn(id, col, value))
        return;
    RecordSelection(kUndoColumn, col);
    SetColumnValue(col, value);
    if (col == kColLength && m_pSignalView && m_pSignalView->GetGrid())
        m_pSignalView->GetGrid()->RedrawPanes();
}

void CCanNodeView::OnUpdateValueCommand(fw::CCmdUI* ui)
{
    int32_t col = 0;
    int value = 0;
    if (!CommandColumn(ui->m_nID, col, value) || IsLocked() || !GetGrid() || !m_pMessages) {
        ui->Enable(false);
        return;
    }
    const CCellRange sel = GetGrid()->GetSelection();
    bool enable = sel.left <= col && col <= sel.right && sel.top >= 0;
    bool all = enable;
    for (int32_t row = sel.top; enable && row <= sel.bottom; ++row) {
        C463CanMesNode* message = GetMessage(row);
        if (!message) {
            enable = false;
            break;
        }
        if (message->GetValue(kCodes[col]) != value)
            all = false;
    }
    // A send message is always two bytes long.
    if (enable && col == kColLength && m_direction && value != 2)
        enable = false;
    ui->Enable(enable);
    ui->SetCheck(enable && all ? 1 : 0);
}

void CCanNodeView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    C463CanMesNode* message = GetMessage(row);
    if (!message || IsLocked())
        return;
    if (col == kColRemote) {
        RecordSelection(kUndoColumn, col);
        SetColumnValue(col, message->GetValue(canattr::kRemoteFrame) == 0 ? 1 : 0);
    } else if (col == kColFormat || col == kColLength) {
        OnDropDown(col, row, screen);
    }
}

void CCanNodeView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (col == kColFormat)
        OpenCellMenu(kIdFormatMenu, col, row);
    else if (col == kColLength)
        OpenCellMenu(kIdLengthMenu, col, row);
    else if (col == kColRemote)
        OpenCellMenu(kIdRemoteMenu, col, row);
}

void CCanNodeView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    if (!GetGrid())
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    SetDropButton(cur.col >= kColFormat && cur.col <= kColRemote);
    if (m_active)
        if (C463CanMesNode* message = GetMessage(cur.row)) {
            Notify(CCanNodeUpdate::kSelected, message);
            if (m_pSignalView)
                m_pSignalView->ShowSignals(m_direction != 0, m_unitIndex, &message->Signals(), nullptr);
        }
}

CZELGridRichWnd* CCanNodeView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                          unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (IsLocked() || !m_pMessages)
        return nullptr;
    if (col == 1)
        return MakeNumericEditor(pane, rect, text, "AaBbCcDdEeFf", ch, key, byKey);
    if (col != 0 && col != 5)
        return nullptr;
    if (byKey && ch == ' ')
        return nullptr;
    return byKey ? CProjectBaseView::CreateCellEditorForKey(pane, rect, text, ch, key)
                 : CProjectBaseView::CreateCellEditor(pane, rect, text, fw::CPoint());
}

CZELGridRichWnd* CCanNodeView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CCanNodeView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                      const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

bool CCanNodeView::CanDeleteRows()
{
    if (IsLocked() || !GetGrid())
        return false;
    return GetMessage(GetGrid()->GetSelection().top) != nullptr;
}

void CCanNodeView::OnUpdateDeleteCommand(fw::CCmdUI* ui) { ui->Enable(CanDeleteRows()); }

void CCanNodeView::OnDeleteCommand()
{
    if (CanDeleteRows())
        DeleteMessages();
}

void CCanNodeView::DeleteMessages()
{
    if (!m_pMessages || !GetGrid())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    fw::CObArray deleted;
    std::vector<C463CanMesNode*> doomed;
    for (int32_t row = sel.top; row <= sel.bottom; ++row)
        if (C463CanMesNode* message = GetMessage(row))
            doomed.push_back(message);
    CPollingPause pause;
    auto* tree = dynamic_cast<CCanSetView*>(m_pTree);
    if (tree) {
        // The tree deletes them with its items.
        std::vector<fw::CObject*> objects(doomed.begin(), doomed.end());
        for (C463CanMesNode* message : doomed) {
            std::erase(m_shown, message);
            deleted.Add(message);
        }
        tree->DeleteItems(objects);
        doomed.clear();
    } else {
        for (C463CanMesNode* message : doomed) {
            if (m_pMessages->Detach(message) < 0)
                continue;
            std::erase(m_shown, message);
            deleted.Add(message);
        }
        RecomputeDuplicates();
    }
    CCanNodeUpdate update(CCanNodeUpdate::kDeleted, &deleted, m_direction != 0);
    update.m_unitIndex = m_unitIndex;
    update.m_itemKind = m_shown.empty() ? 2 : 3;
    if (m_shown.empty())
        deleted.Add(m_pMessages);
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
    }
    for (C463CanMesNode* message : doomed)
        delete message;
    ShowMessages(m_direction != 0, m_unitIndex, m_pMessages, nullptr, nullptr);
}
