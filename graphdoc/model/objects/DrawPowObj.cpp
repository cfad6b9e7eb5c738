#include "graphdoc/model/objects/DrawPowObj.h"

#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphUpdateHints.h"
#include "common/cache/CacheTanks.h"
#include "common/tank/TimeDataTank.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/model/objects/SourceDocuments.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <cstring>
#include <new>

FW_IMPLEMENT_SERIAL(CDrawPowObj, CDrawGraphObj, 0)

namespace {

constexpr intptr_t kHintDataDocOpened_ = 1;
constexpr int32_t kUsedTankList = 2;
constexpr int32_t kAnyList = -1;
constexpr int32_t kFlagUnit = 0x10;
constexpr int32_t kFlagsRecompute = 0x01 | 0x20 | 0x40;

void DropReference(CDataTankObject*& tank)
{
    if (tank && tank->Release())
        delete tank;
    tank = nullptr;
}

// The sampling of a document's channels.
bool SamplingOf(CKivDocBase& doc, double& clockMs, bool& external)
{
    const CADSetPrf* ad = nullptr;
    if (auto* data = dynamic_cast<CKivDataDoc*>(&doc))
        ad = &data->GetAdSet();
    else if (auto* project = dynamic_cast<CKIV5980Doc*>(&doc))
        ad = &project->GetActiveBoxArray().GetADSet();
    if (!ad)
        return false;
    clockMs = ad->m_dClk;
    external = ad->m_nExtClk != 0;
    return true;
}

} // namespace

CDrawPowObj::CDrawPowObj() = default;

CDrawPowObj::CDrawPowObj(const fw::CRect& area) : CDrawGraphObj(area)
{
    InitSpectrumGraph();
}

CDrawPowObj::~CDrawPowObj()
{
    ReleaseResultTanks();
}

void CDrawPowObj::ReleaseResultTanks()
{
    CDataTankObject* spectrum = m_pSpectrum;
    CDataTankObject* frequency = m_pFrequency;
    DropReference(spectrum);
    DropReference(frequency);
    m_pSpectrum = nullptr;
    m_pFrequency = nullptr;
}

void CDrawPowObj::InitSpectrumGraph()
{
    m_pow.m_channel = 0;
    m_peak = -1;
    ReleaseResultTanks();
    auto* spectrum = new CCacheFltDataTank;
    spectrum->SetFillMarker(0.0f);
    spectrum->CreateCacheFile();
    auto* frequency = new CTimeDataTank;
    frequency->SetName(kTextFrequency);
    frequency->SetUnit(kTextHertz);
    m_pSpectrum = spectrum;
    m_pFrequency = frequency;

    CGraphParamArray* series = m_draw.AddSeries(true);
    series->SetSource(tSeriesSource{});
    series->SetItem(0, -1, -1, frequency, true);
    series->SetItem(1, -1, -1, spectrum, true);
    m_draw.SetAutoScale('X', 2);
    m_draw.SetAutoScale('Y', 2);
}

void CDrawPowObj::BindResultTanks()
{
    ReleaseResultTanks();
    CGraphParamArray* series = m_draw.GetSeries(0);
    if (!series)
        return;
    m_pFrequency = dynamic_cast<CTimeDataTank*>(series->GetItemTank(0));
    m_pSpectrum = dynamic_cast<CCacheFltDataTank*>(series->GetItemTank(1));
    if (m_pSpectrum) {
        m_pSpectrum->SetFillMarker(0.0f);
        m_pSpectrum->AddRef();
    }
    if (m_pFrequency)
        m_pFrequency->AddRef();
}

void CDrawPowObj::Serialize(fw::CArchive& ar)
{
    CDrawGraphObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_peak;
        m_pow.Serialize(ar);
    } else {
        ar >> m_peak;
        m_pow.Serialize(ar);
        BindResultTanks();
        m_draw.RebuildPlot();
    }
}

void CDrawPowObj::Draw(fw::CDC* dc)
{
    DrawThroughPicture(dc);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
    else
        MarkRedraw();
}

void CDrawPowObj::UpdateUnitText(CDataTankObject& source)
{
    if (m_pSpectrum)
        UpdateSpectrumUnitText(source, m_pow.m_kind, *m_pSpectrum);
}

bool CDrawPowObj::ComputeSpectrum()
{
    CKivDocBase* doc = FindKivDocument(m_pow.m_docIdent);
    if (!doc)
        return false;
    CDataTankObject* tank = doc->GetChannelTank(m_pow.m_channel, kUsedTankList);
    if (!tank || !m_pSpectrum || !m_pFrequency)
        return true;
    SpectrumSource source{tank, 1.0, false};
    if (!SamplingOf(*doc, source.clockMs, source.externalClock))
        source.externalClock = true;
    fw::CWaitCursor wait;
    const SpectrumOutcome outcome = ComputeChannelSpectrum(source, m_pow.Choices(), *m_pSpectrum, *m_pFrequency, m_peak);
    if (outcome == SpectrumOutcome::badClock)
        fw::AfxMessageBox(kTextSpectrumBadClock);
    return true;
}

void CDrawPowObj::SetPrfList(CPowGraphPrfList& list)
{
    if (list.GetSize() < 2)
        fw::ThrowInvalidArgException();
    m_pow = list.m_pow;
    const CGraphPrf* entry = list.GetAt(1);
    if (!ComputeSpectrum() && entry->m_pSeries && m_pSpectrum && m_pFrequency) {
        CDataTankObject* otherY = entry->m_pSeries->GetItemTank(1);
        CDataTankObject* otherX = entry->m_pSeries->GetItemTank(0);
        if (otherY && otherY != m_pSpectrum) {
            CopySpectrumValues(*otherY, *m_pSpectrum);
            if (otherX) {
                m_pFrequency->SetName(otherX->GetName());
                m_pFrequency->SetUnit(otherX->GetUnit());
                if (auto* time = dynamic_cast<CTimeDataTank*>(otherX))
                    m_pFrequency->SetInterval(time->GetInterval());
                m_pFrequency->SetDataCount(otherX->GetDataCount());
            }
        }
    }
    CGraphParamArray* series = m_draw.GetSeries(0);
    if (series && m_pSpectrum) {
        series->SetDrawRange(0, m_pSpectrum->GetDataCount() - 1);
        if (entry->m_pSeries) {
            int16_t block[CGraphPrf::kLineBlockValues];
            entry->GetLineBlock(block);
            tSeriesStyle style;
            static_assert(sizeof block == sizeof style);
            std::memcpy(&style, block, sizeof style);
            series->SetStyle(style);
        }
    }
    UpdateLegendTexts();
    m_draw.RebuildPlot();
    m_draw.AutoScale();
    UpdateAxisTitles();
    MarkRedraw();
}

bool CDrawPowObj::GetPrfList(CPowGraphPrfList& list)
{
    try {
        list.m_pow = m_pow;
        list.m_bFlag = 0;
        list.Add(new CGraphPrf);
        for (int i = 0; i < m_draw.GetSeriesCount(); ++i) {
            CGraphParamArray* series = m_draw.GetSeries(i);
            auto profile = std::make_unique<CGraphPrf>();
            profile->m_pSeries = series;
            profile->m_strSourceName = m_pow.m_strName;
            profile->m_docIdent = m_pow.m_docIdent;
            profile->m_autoRange = 1;
            profile->m_seriesFlag = 0;
            profile->m_rangeStart = 1;
            profile->m_rangeEnd = m_pSpectrum ? std::max(1, m_pSpectrum->GetDataCount()) : 1;
            int16_t block[CGraphPrf::kLineBlockValues];
            std::memcpy(block, &series->GetStyle(), sizeof block);
            profile->SetLineBlock(block);
            profile->m_yChannels = {m_pow.m_channel};
            profile->m_yListKinds = {static_cast<int16_t>(kUsedTankList)};
            list.Add(profile.release());
        }
        return true;
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return false;
    }
}

bool CDrawPowObj::UpdateLegendTexts()
{
    CGraphParamArray* series = m_draw.GetSeries(0);
    if (!series || !m_pSpectrum || !m_pFrequency)
        return true;
    const fw::CString name = m_pSpectrum->GetName();
    const fw::CString unit = m_pSpectrum->GetUnit();
    const fw::CString hertz = m_pFrequency->GetUnit();
    if (m_peak < 0)
        series->SetName(fw::Format(kTextLegendNoPeak, name, unit, hertz));
    else
        series->SetName(fw::Format(kTextLegendPeak, name, m_pSpectrum->GetValue(m_peak), unit,
                                   m_pFrequency->GetValue(m_peak), hertz));
    return true;
}

void CDrawPowObj::Recompute()
{
    try {
        CPowGraphPrfList list;
        if (GetPrfList(list))
            SetPrfList(list);
    } catch (const std::bad_alloc&) {
    }
}

void CDrawPowObj::ResizeLegend()
{
    if (auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument))
        if (CDrawObj* legend = page->FindLegObj())
            legend->ResetSize();
}

void CDrawPowObj::OnEditProperties()
{
    CPowGraphPrfList list;
    if (!GetPrfList(list))
        return;
    if (!GraphObjectDialogs().EditSpectrum(list))
        return;
    CPollingPause pause;
    try {
        SetPrfList(list);
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return;
    }
    ResizeLegend();
    NotifyChanged();
    MarkModified();
}

bool CDrawPowObj::EditPlotLines()
{
    CPowGraphPrfList list;
    if (!GetPrfList(list))
        return false;
    if (!GraphObjectDialogs().EditPlotLines(list, false, true))
        return false;
    MarkRedraw();
    for (int i = 1; i < list.GetSize(); ++i) {
        CGraphParamArray* series = m_draw.GetSeries(i - 1);
        if (!series)
            continue;
        int16_t block[CGraphPrf::kLineBlockValues];
        list.GetAt(i)->GetLineBlock(block);
        tSeriesStyle style;
        static_assert(sizeof block == sizeof style);
        std::memcpy(&style, block, sizeof style);
        series->SetStyle(style);
    }
    return true;
}

CDrawObj* CDrawPowObj::Clone(CZELGraphViewDoc* document)
{
    auto copy = std::make_unique<CDrawPowObj>(m_position);
    copy->Assign(*this);
    copy->m_peak = m_peak;
    CPowGraphPrfList list;
    if (!GetPrfList(list))
        return nullptr;
    if (list.GetSize() < 2)
        fw::ThrowInvalidArgException();
    list.GetAt(1)->m_strNote = list.GetAt(1)->m_pSeries ? list.GetAt(1)->m_pSeries->GetName() : fw::CString();
    copy->SetPrfList(list);
    copy->m_draw.Scale() = m_draw.Scale();
    copy->m_draw.RebuildPlot();
    copy->m_draw.SetGraphRect(fw::CRect());
    CDrawPowObj* result = copy.release();
    if (document)
        document->AddObject(result);
    return result;
}

bool CDrawPowObj::MoveChannel(intptr_t hint, const fw::CObject* hintObject)
{
    const auto* change = dynamic_cast<const CUpdateGraphInsertDelete*>(hintObject);
    if (!change || change->m_doc != m_pow.m_docIdent)
        return false;
    // A project announces each change for its used tanks and again for its
    // monitor tanks; a data document once without a list.
    if (change->m_key != kUsedTankList && change->m_key != kAnyList)
        return false;
    const int count = change->m_second - change->m_first + 1;
    if (hint == kHintChannelsInserted) {
        if (m_pow.m_channel >= change->m_first)
            m_pow.m_channel += count;
    } else if (m_pow.m_channel > change->m_second) {
        m_pow.m_channel -= count;
    }
    return true;
}

void CDrawPowObj::OnDataChanged(const fw::CObject* hintObject)
{
    const auto* data = dynamic_cast<const CUpdateKivData*>(hintObject);
    auto* doc = data ? dynamic_cast<CKivDocBase*>(data->m_pDocument) : nullptr;
    if (!doc || doc->GetDocIdent() != m_pow.m_docIdent)
        return;
    bool titled = false;
    bool recomputed = false;
    if (data->m_changeFlags & kFlagUnit) {
        if (CDataTankObject* tank = doc->GetChannelTank(m_pow.m_channel, kUsedTankList)) {
            UpdateUnitText(*tank);
            titled = UpdateAxisTitles();
            UpdateLegendTexts();
        }
    }
    if (m_draw.m_dataMode == 0 && (data->m_changeFlags & kFlagsRecompute)) {
        Recompute();
        recomputed = true;
    }
    if (titled || recomputed) {
        MarkRedraw();
        NotifyChanged();
        ResizeLegend();
    }
    MarkModified();
}

intptr_t CDrawPowObj::OnUpdate(intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintDataDocOpened_:
        if (CKivDocBase* doc = HintDocument(hintObject); doc && doc->GetDocIdent() == m_pow.m_docIdent) {
            m_pow.m_strName = doc->GetTitle();
            Recompute();
        }
        break;
    case kHintDocIdentChanged:
        if (const auto* change = dynamic_cast<const CUpdateChangeDocIdent*>(hintObject);
            change && change->m_oldIdent == m_pow.m_docIdent) {
            m_pow.m_docIdent = change->m_newIdent;
            m_pow.m_strName = change->m_title;
            MarkRedraw();
            Invalidate();
            MarkModified();
        }
        break;
    case kHintDataChanged:
        OnDataChanged(hintObject);
        break;
    case kHintChannelsInserted:
    case kHintChannelsDeleted:
        if (MoveChannel(hint, hintObject)) {
            Recompute();
            MarkRedraw();
            Invalidate();
        }
        break;
    case kHintReferenceFile:
        if (const auto* change = dynamic_cast<const CUpdateGraph*>(hintObject);
            change && change->m_firstDoc == m_pow.m_docIdent) {
            if (CKivDocBase* doc = FindKivDocument(change->m_secondDoc)) {
                m_pow.m_docIdent = doc->GetDocIdent();
                m_pow.m_strName = doc->GetTitle();
                Recompute();
                ResizeLegend();
            }
        }
        break;
    case kHintAxisReset:
        MarkRedraw();
        NotifyChanged();
        break;
    default:
        break;
    }
    return 0;
}
