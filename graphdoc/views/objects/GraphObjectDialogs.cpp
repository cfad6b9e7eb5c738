#include "graphdoc/views/objects/GraphObjectDialogs.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/views/GraphPropaty.h"
#include "graphdoc/views/TYScaleDlg.h"
#include "graphdoc/views/objects/LegendDlg.h"
#include "graphdoc/views/objects/MoniDataDialog.h"
#include "graphdoc/views/objects/PlotLineDlgs.h"
#include "graphdoc/views/objects/PowGraphDlg.h"
#include "graphdoc/views/objects/RegressDlg.h"

namespace {

class CGraphObjectDialogs final : public IGraphObjectDialogs {
public:
    bool EditSpectrum(CPowGraphPrfList& list) override
    {
        CPowGraphDlg dialog(list, OpenInstrumentDocuments());
        return dialog.DoModal() == fw::IDOK;
    }
    bool EditLegend(CDrawLegObj& legend) override
    {
        CLegendDlg dialog(legend);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreLegend();
        return true;
    }
    bool EditMonitor(CMoniDataPrf& profile) override
    {
        CMoniDataDialog dialog(profile);
        return dialog.DoModal() == fw::IDOK;
    }
    bool EditPlotData(CSimpleGraphPrfList& list, int xAxisKind, int graphType, int dataMode,
                      bool projectOnly) override
    {
        CGraphPropaty dialog(list, xAxisKind, graphType);
        dialog.m_nMonitor = dataMode;
        dialog.m_nProjectOnly = projectOnly ? 1 : 0;
        return dialog.DoModal() == fw::IDOK;
    }
    bool EditTimeScales(CKivGraphDraw& draw) override
    {
        CTYScaleDlg dialog;
        dialog.LoadTimeScales(draw);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreTimeScales(draw);
        return true;
    }
    bool EditPlotLines(CGraphPrfList& list, bool bars, bool showInterval) override
    {
        if (bars) {
            CBarLineDlg dialog(list);
            return dialog.DoModal() == fw::IDOK;
        }
        CLineSymbleDlg dialog(list);
        dialog.m_bShowInterval = showInterval ? 1 : 0;
        return dialog.DoModal() == fw::IDOK;
    }
};

} // namespace

void InstallGraphObjectDialogs()
{
    static CGraphObjectDialogs dialogs;
    fw::Install<IGraphObjectDialogs>(&dialogs);
}

int RunRegressionDialog(CGraphViewDoc& page)
{
    CRegressDlg dialog(page);
    return dialog.DoModal();
}
