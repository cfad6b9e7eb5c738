// The default shape of a new project: every table, the calculated-channel
// settings and the three programs; also the tables an older file lacks.

#include "project/model/KIV5980Doc.h"

#include "common/calc/CalcColumnTanks.h"
#include "common/tank/DataBoxPropaty.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "grid/model/GridTypes.h"
#include "instrument/check/ProgramTableTanks.h"
#include "project/model/ProjectHost.h"
#include "project/model/ProjectStrings.h"

#include <algorithm>
#include <new>

namespace {

constexpr int32_t kSheetColWidth = 56;
constexpr int32_t kSheetRowHeight = -18;
constexpr int32_t kFontHeight = 90;
constexpr uint32_t kCenterBoth = 0x22;
constexpr uint32_t kMultiLineFlag = 0x10;
constexpr int32_t kBold = 700;
constexpr unsigned kOutOfMemory = 61475;
constexpr int kOpDataKinds[3] = {5, 6, 7};

void HeaderWidths(CZELGridStyle& s, int first, int size, int count)
{
    s.SetCornerColumnWidths(first, size, count);
    s.SetRowHeaderColumnWidths(first, size, count);
}

void Bold(CZELGridStyle& s)
{
    s.GetPane(kPaneColumnHeader).m_format.lf.lfWeight = kBold;
}

void ResizableCorner(CZELGridStyle& s)
{
    s.GetPane(kPaneCorner).m_bColResize = 1;
}

void Widths(CZELGridStyle& s, int a, int b, int x)
{
    s.SetColumnWidths(a, x, b - a + 1);
}

} // namespace

CZELGridStyle* CKIV5980Doc::MakeTableStyle(int h, int k, int r, int c, int n, int w, int t)
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetDimensions(k, h, k, r, std::max(c, 1), std::max(n, 1));
    style->SetDefaultSizes(w, t / h, w, t / r, kSheetColWidth, kSheetRowHeight);
    style->GetPane(kPaneColumnHeader).m_format.nFlags |= kMultiLineFlag;
    for (int pane = kPaneCorner; pane <= kPaneSheet; ++pane) {
        style->GetPane(pane).m_format.nAlign = kCenterBoth;
        style->GetPane(pane).m_format.lf.lfHeight = kFontHeight;
    }
    style->GetPane(kPaneRowHeader).m_bRowResize = 0;
    style->GetPane(kPaneColumnHeader).m_bColResize = 1;
    style->ApplySizes();
    return style.release();
}

void CKIV5980Doc::CreateHistTables()
{
    auto freq = std::unique_ptr<CZELGridStyle>(MakeTableStyle(1, 1, 1, 7, 80, 54, -54));
    Widths(*freq, 0, 6, 70);
    Bold(*freq);
    auto program = std::unique_ptr<CZELGridStyle>(MakeTableStyle(1, 1, 2, 11, 1, 80, -36));
    HeaderWidths(*program, 0, 0, 1);
    program->GetPane(kPaneColumnHeader).m_nSelFlags = 0;
    Widths(*program, 0, 9, 30);
    Widths(*program, 10, 10, 80);
    Bold(*program);
    m_tables[kTabFreqSettings] = std::move(freq);
    m_tables[kTabProgram] = std::move(program);
}

void CKIV5980Doc::CreateUnit463Tables()
{
    auto node = std::unique_ptr<CZELGridStyle>(MakeTableStyle(1, 1, 1, 6, 1, 54, -18));
    Widths(*node, 0, 5, 100);
    Widths(*node, 1, 3, 70);
    node->GetPane(kPaneColumnHeader).m_nSelFlags = 0;
    auto signal = std::unique_ptr<CZELGridStyle>(MakeTableStyle(1, 1, 1, 9, 1, 54, -18));
    Widths(*signal, 0, 8, 70);
    auto voice = std::unique_ptr<CZELGridStyle>(MakeTableStyle(1, 1, 1, 3, kMaxHistorySteps, 50, -18));
    ResizableCorner(*voice);
    Widths(*voice, 0, 2, 120);
    m_tables[kTabCanNode] = std::move(node);
    m_tables[kTabCanSignal] = std::move(signal);
    m_tables[kTabVoice] = std::move(voice);
}

void CKIV5980Doc::CreateUnit465Table()
{
    auto dio = std::unique_ptr<CZELGridStyle>(MakeTableStyle(2, 5, 2, 5, 10, 80, -54));
    HeaderWidths(*dio, 0, 24, 4);
    HeaderWidths(*dio, 4, 160, 1);
    Widths(*dio, 0, 4, 80);
    Widths(*dio, 0, 0, 120);
    m_tables[kTabDigitalIO] = std::move(dio);
}

void CKIV5980Doc::BuildCalcSettings()
{
    auto settings = std::make_unique<CDataSPSetTank>();
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColName, new CNameTank, 1, 1);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColFunction, new CFuncTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColUnit, new CUnitTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColFormat, new CFormatTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColOnOff, new COnOffTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColUpper, new CFltDataTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColLower, new CFltDataTank, 1, 0);
    for (int i = 0; i < 3; ++i)
        CDataBoxPropaty::AddColumnTank(*settings, prjstr::kColOpData1 + unsigned(i), new CFltDataTank, 1,
                                       kOpDataKinds[i]);
    m_pCalcSettings = std::move(settings);
    LinkCalcSettings();
}

void CKIV5980Doc::LinkCalcSettings()
{
    if (!m_pCalcSettings)
        return;
    CKivSPTankData& channels = m_boxArray.GetTankList();
    channels.SetSettingsList(m_pCalcSettings.get());
    for (int c = 0; c < 4 && c < m_pCalcSettings->GetSize(); ++c)
        if (auto* column = dynamic_cast<CCalcColumnOwner*>(m_pCalcSettings->GetObjectAt(c)))
            column->SetOwner(&channels);
}

void CKIV5980Doc::BuildPrograms()
{
    auto interval = std::make_unique<CDataTankList>();
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColStart, new CIntevalTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColStart, new CIntevalTimeTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColHour, new CShortDataTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColMinute, new CShortDataTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColSecond, new CShortDataTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColControl, new CControlTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*interval, prjstr::kColRepeat, new CRepetTank, 1, 0);

    auto comparator = std::make_unique<CDataTankList>();
    auto* channel = new CCompNoTank;
    channel->SetOwner(this);
    CDataBoxPropaty::AddColumnTank(*comparator, prjstr::kColCompChannel, channel, 1, 0);
    CDataBoxPropaty::AddColumnTank(*comparator, prjstr::kColChange, new CCompValueTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*comparator, prjstr::kColControl, new CControlTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*comparator, prjstr::kColRepeat, new CRepetTank, 1, 0);

    auto cycle = std::make_unique<CDataTankList>();
    auto* start = new CCycleTank;
    start->SetMinimum(0);
    auto* step = new CCycleTank;
    step->SetMinimum(1);
    CDataBoxPropaty::AddColumnTank(*cycle, prjstr::kColStartCycle, start, 1, 0);
    CDataBoxPropaty::AddColumnTank(*cycle, prjstr::kColStepCycle, step, 1, 0);
    CDataBoxPropaty::AddColumnTank(*cycle, prjstr::kColControl, new CControlTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*cycle, prjstr::kColRepeat, new CRepetTank, 1, 0);

    m_programs[kProgInterval] = std::move(interval);
    m_programs[kProgComparator] = std::move(comparator);
    m_programs[kProgCycle] = std::move(cycle);
}

bool CKIV5980Doc::BuildDefaultProject()
{
    try {
        CKivDocBase::CreateNewContents();
        m_boxArray.SetOwner(this);
        if (!m_boxArray.BuildFromProfile(ProjectHost().MeterProfile()))
            return false;
        m_boxArray.ApplyAdSetting(ProjectHost().AdDefaults());

        const int k = GetChannelCount();
        const int p = std::max(m_boxArray.GetOutputCount(), 1);
        auto& t = m_tables;
        t[kTabChannel].reset(MakeTableStyle(2, 4, 2, 18, k, 80, -54));
        HeaderWidths(*t[kTabChannel], 0, 24, 4);
        Widths(*t[kTabChannel], 5, 5, 94);
        t[kTabOutput].reset(MakeTableStyle(2, 3, 2, 8, p, 80, -54));
        HeaderWidths(*t[kTabOutput], 0, 24, 3);
        Bold(*t[kTabOutput]);
        Widths(*t[kTabOutput], 5, 5, 100);
        Widths(*t[kTabOutput], 7, 7, 100);
        t[kTabCalc].reset(MakeTableStyle(1, 1, 2, 10, kCalcRows, 56, -54));

        BuildCalcSettings();

        t[kTabInterval].reset(MakeTableStyle(1, 1, 2, 11, kProgramRows, 56, -36));
        Widths(*t[kTabInterval], 1, 8, 18);
        t[kTabComparator].reset(MakeTableStyle(1, 1, 2, 4, kProgramRows, 56, -36));
        Widths(*t[kTabComparator], 0, 0, 100);
        t[kTabDataTrigger].reset(MakeTableStyle(2, 4, 1, 4, k, 80, -36));
        HeaderWidths(*t[kTabDataTrigger], 0, 24, 4);
        Bold(*t[kTabDataTrigger]);
        t[kTabCycle].reset(MakeTableStyle(1, 1, 2, 4, kProgramRows, 56, -36));
        BuildPrograms();

        const int u = GetUseTanks().GetSize();
        t[kTabChannelData].reset(MakeTableStyle(5, 2, 5, u, m_boxArray.GetADSet().m_nNum, 70, -90));
        ResizableCorner(*t[kTabChannelData]);
        auto graph = std::make_unique<CZELGridStyle>();
        graph->SetDimensions(1, 1, 1, 1, 2, std::max(u, 1));
        graph->SetDefaultSizes(100, 0, 0, 0, 100, -100);
        graph->GetPane(kPaneSheet).m_nSelFlags = 0;
        graph->GetPane(kPaneSheet).m_bRowResize = 1;
        graph->GetPane(kPaneSheet).m_bColResize = 1;
        graph->ApplySizes();
        graph->SetColumnWidths(0, 500, 1);
        graph->GetPane(kPaneSheet).m_format.lf.lfHeight = kFontHeight;
        t[kTabGraph] = std::move(graph);
        t[kTabHistory].reset(MakeTableStyle(1, 1, 1, 7, kMaxHistorySteps, 80, -18));
        ResizableCorner(*t[kTabHistory]);
        HeaderWidths(*t[kTabHistory], 0, 50, 1);
        Widths(*t[kTabHistory], 0, 4, 120);
        t[kTabStatistics].reset(MakeTableStyle(1, 2, 3, 3240, kMaxHistorySteps, 80, -54));
        ResizableCorner(*t[kTabStatistics]);
        HeaderWidths(*t[kTabStatistics], 0, 50, 1);
        HeaderWidths(*t[kTabStatistics], 1, 120, 1);
        t[kTabSelfCheck].reset(MakeTableStyle(2, 4, 1, 9, k, 80, -36));
        HeaderWidths(*t[kTabSelfCheck], 0, 24, 4);

        CreateHistTables();
        t[kTabFreqHistory].reset(MakeTableStyle(1, 1, 1, 5, kMaxHistorySteps, 50, -18));
        ResizableCorner(*t[kTabFreqHistory]);
        Widths(*t[kTabFreqHistory], 0, 4, 120);
        m_freqHistory.InitTanks();
        CreateUnit463Tables();
        m_voiceList.CreateTanks();
        CreateUnit465Table();

        m_boxArray.SetDataCount(-1, true);
        m_history.InitColumns();
        RebuildChannels();
        SetModifiedFlag(false);
        return true;
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(kOutOfMemory, fw::MB_OK | fw::MB_ICONSTOP);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}
