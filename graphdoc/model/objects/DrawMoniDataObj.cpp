#include "graphdoc/model/objects/DrawMoniDataObj.h"

#include "chart/model/GraphUpdateHints.h"
#include "common/calc/CalcuDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Format.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/model/objects/SourceDocuments.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDrawMoniDataObj, CDrawMeasObj, 0)

namespace {

constexpr intptr_t kHintDataDocClosing = 2;
constexpr intptr_t kHintCurrentValues = 20;
constexpr intptr_t kHintReferenceChanged = 25;
// The used-tank list, and the list kind of a document that announces its
// channels without one.
constexpr int32_t kUsedTankList = 2;
constexpr int32_t kAnyList = -1;

int Digits(const CMoniDataPrf& profile)
{
    return std::clamp<int>(profile.m_digits, 1, 255);
}

} // namespace

CDrawMoniDataObj::CDrawMoniDataObj()
{
    InitDefaults();
}

CDrawMoniDataObj::CDrawMoniDataObj(const fw::CRect& position) : CDrawMeasObj(position)
{
    InitDefaults();
    AttachDocument();
}

CDrawMoniDataObj::~CDrawMoniDataObj()
{
    ReleaseTank();
}

void CDrawMoniDataObj::InitDefaults()
{
    m_profile = DefaultMonitorProfile();
    SetDefaultLogFont(&m_font, true, 0);
    m_relX = 0.0;
    m_relY = 0.0;
    m_textColor = 0;
    ResetSize();
    m_strValue = kTextNoValue;
    m_background = m_frame.m_fill.lbColor;
}

void CDrawMoniDataObj::ReleaseTank()
{
    if (!m_pTank)
        return;
    if (IsMonitorUpdated()) {
        if (auto* calc = dynamic_cast<CCalcuDataTank*>(m_pTank))
            calc->RemoveUse();
    }
    if (m_pTank->Release())
        delete m_pTank;
    m_pTank = nullptr;
}

void CDrawMoniDataObj::AttachDocument()
{
    m_pDataDoc = FindKivDocument(m_profile.m_docIdent);
    if (!m_pDataDoc)
        return;
    ReleaseTank();
    m_profile.m_strTitle = m_pDataDoc->GetTitle();
    CDataTankObject* tank = m_pDataDoc->GetChannelTank(m_profile.m_channel, kUsedTankList);
    if (!tank)
        return;
    m_pTank = tank;
    m_pTank->AddRef();
    if (IsMonitorUpdated()) {
        if (auto* calc = dynamic_cast<CCalcuDataTank*>(m_pTank))
            calc->AddUse();
    }
    UpdateValueText(true);
}

bool CDrawMoniDataObj::IsMonitorUpdated()
{
    return m_profile.m_stepEnabled && m_profile.m_liveUpdate;
}

bool CDrawMoniDataObj::SetDisplayStep(int step)
{
    if (!m_profile.m_stepEnabled)
        return false;
    m_profile.m_displayStep = step;
    return true;
}

bool CDrawMoniDataObj::RefersToDocument(const CDocIdent* ident)
{
    return ident && *ident == m_profile.m_docIdent;
}

void CDrawMoniDataObj::UpdateValueText(bool current)
{
    if (!m_pTank)
        return;
    fw::CString text;
    auto* calc = dynamic_cast<CCalcuDataTank*>(m_pTank);
    if (current && IsMonitorUpdated() && calc) {
        calc->FormatResult(text, calc->GetFormat());
    } else {
        const int index = std::max(0, m_profile.m_displayStep - m_profile.m_stepOffset);
        if (index < m_pTank->GetDataCount())
            m_pTank->GetValueText(index, text, true);
    }
    m_strValue = text.IsEmpty() ? fw::CString('*', Digits(m_profile)) : text;
}

fw::COLORREF CDrawMoniDataObj::UpdateAlarmColor()
{
    const fw::COLORREF fill = m_frame.m_fill.lbColor;
    if (!m_profile.m_alarmCheck) {
        m_background = fill;
        return fill;
    }
    if (!m_pDataDoc)
        return 0;
    const int state = QueryAlarmState();
    switch (state) {
    case 1: m_background = m_profile.GetColor(0); return m_background;
    case 2: m_background = m_profile.GetColor(1); return m_background;
    case 3:
    case 4: m_background = m_profile.GetColor(2); return m_background;
    default: m_background = fill; return static_cast<fw::COLORREF>(state);
    }
}

int CDrawMoniDataObj::QueryAlarmState()
{
    auto* project = dynamic_cast<CKIV5980Doc*>(m_pDataDoc);
    return project && m_pTank ? project->CheckChannelAlarm(m_pTank, false) : 0;
}

void CDrawMoniDataObj::SetFrameStyle(const CDrawObjPrf& style)
{
    CDrawMeasObj::SetFrameStyle(style);
    UpdateAlarmColor();
}

void CDrawMoniDataObj::ResetSize()
{
    Invalidate();
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* old = display->SelectObject(&font);
    const fw::CSize extent = display->GetTextExtent(fw::Format("%0*d", Digits(m_profile), 0));
    display->SelectObject(old);
    fw::CRect r = GetFrameRect();
    r.right = r.left + extent.cx;
    r.bottom = static_cast<int>(r.top + 1.5 * extent.cy);
    m_position = r;
    ApplyFrameMargins();
    Invalidate();
}

void CDrawMoniDataObj::Draw(fw::CDC* dc)
{
    const fw::COLORREF fill = m_frame.m_fill.lbColor;
    m_frame.m_fill.lbColor = m_background;
    DrawFrame(dc, m_position);
    m_frame.m_fill.lbColor = fill;

    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const fw::COLORREF oldColor = dc->SetTextColor(m_textColor);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    fw::CRect inner = GetFrameRect();
    dc->DrawText(m_strValue, &inner, fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
}

void CDrawMoniDataObj::OnEditProperties()
{
    CMoniDataPrf edited = m_profile;
    if (!GraphObjectDialogs().EditMonitor(edited))
        return;
    // The panel's poll reads the tank that the monitor lets go of here.
    CPollingPause pause;
    ReleaseTank();
    m_profile = edited;
    DefaultMonitorProfile() = edited;
    AttachDocument();
    NotifyChanged();
    MarkModified();
}

CDrawObj* CDrawMoniDataObj::Clone(CZELGraphViewDoc* document)
{
    auto* copy = new CDrawMoniDataObj(m_position);
    copy->CopyFrom(*this);
    copy->m_font = m_font;
    copy->m_profile = m_profile;
    copy->m_textColor = m_textColor;
    copy->m_strValue = m_strValue;
    copy->AttachDocument();
    if (document)
        document->AddObject(copy);
    return copy;
}

void CDrawMoniDataObj::Serialize(fw::CArchive& ar)
{
    CDrawMeasObj::Serialize(ar);
    SerializeLogFont(ar, m_font);
    if (ar.IsStoring()) {
        ar << uint32_t(m_textColor) << m_strValue << uint32_t(m_background);
        m_profile.Serialize(ar);
    } else {
        uint32_t text = 0, background = 0;
        ar >> text >> m_strValue >> background;
        m_textColor = text;
        m_background = background;
        m_profile.Serialize(ar);
        AttachDocument();
    }
}

void CDrawMoniDataObj::Reattach()
{
    AttachDocument();
    Invalidate();
}

bool CDrawMoniDataObj::MoveChannel(intptr_t hint, const fw::CObject* hintObject)
{
    const auto* change = dynamic_cast<const CUpdateGraphInsertDelete*>(hintObject);
    if (!change || change->m_doc != m_profile.m_docIdent)
        return false;
    // A project announces each change for two of its lists: only the used
    // tanks (or a document's single announcement) move the channel.
    if (change->m_key != kUsedTankList && change->m_key != kAnyList)
        return false;
    const int count = change->m_second - change->m_first + 1;
    int32_t& channel = m_profile.m_channel;
    if (hint == kHintChannelsInserted) {
        if (channel >= change->m_first)
            channel += count;
    } else if (channel > change->m_second) {
        channel -= count;
    } else if (channel >= change->m_first) {
        // The channel itself was deleted: another channel now has its
        // number, whose value the box must not show.
        ReleaseTank();
        m_strValue = kTextNoValue;
        m_background = m_frame.m_fill.lbColor;
        Invalidate();
        return true;
    }
    Reattach();
    return true;
}

intptr_t CDrawMoniDataObj::OnUpdate(intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintDataDocOpened:
        Reattach();
        break;
    case kHintDataDocClosing:
        if (CKivDocBase* doc = HintDocument(hintObject); doc && doc == m_pDataDoc) {
            m_pDataDoc = nullptr;
            Invalidate();
        }
        break;
    case kHintDocIdentChanged:
        if (const auto* change = dynamic_cast<const CUpdateChangeDocIdent*>(hintObject);
            change && change->m_oldIdent == m_profile.m_docIdent) {
            m_profile.m_docIdent = change->m_newIdent;
            Reattach();
        }
        break;
    case kHintChannelsInserted:
    case kHintChannelsDeleted:
        MoveChannel(hint, hintObject);
        break;
    case kHintCurrentValues:
        if (CKivDocBase* doc = HintDocument(hintObject);
            doc && doc->GetDocIdent() == m_profile.m_docIdent && IsMonitorUpdated()) {
            UpdateValueText(true);
            UpdateAlarmColor();
            Invalidate();
        }
        break;
    case kHintPanelOpened:
        if (CKivDocBase* doc = HintDocument(hintObject); doc && m_profile.m_followPanel) {
            m_profile.m_docIdent = doc->GetDocIdent();
            Reattach();
        }
        break;
    case kHintReferenceChanged:
        if (const auto* change = dynamic_cast<const CUpdateGraph*>(hintObject);
            change && change->m_firstDoc == m_profile.m_docIdent) {
            if (dynamic_cast<CKIV5980Doc*>(FindKivDocument(change->m_secondDoc))) {
                m_profile.m_docIdent = change->m_secondDoc;
                Reattach();
            }
        }
        break;
    default:
        break;
    }
    return 0;
}
