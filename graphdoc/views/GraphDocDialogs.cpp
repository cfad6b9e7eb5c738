#include "graphdoc/views/GraphDocDialogs.h"

#include "chart/model/GrFrameRec.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/views/DrawTextDlg.h"
#include "graphdoc/views/GraphGrid.h"
#include "graphdoc/views/LineFillDlg.h"
#include "graphdoc/views/ScaleDlg.h"
#include "graphdoc/views/objects/GraphObjectDialogs.h"
#include "graphdoc/views/XYLabelDlg.h"

namespace {

class CGraphDocDialogs final : public IGraphDocDialogs {
public:
    bool EditScales(CKivGraphDraw& draw) override
    {
        CScaleDlg dialog;
        dialog.LoadScales(draw);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreScales(draw);
        return true;
    }

    bool EditLabels(CKivGraphDraw& draw) override
    {
        CXYLabelDlg dialog;
        dialog.LoadLabels(draw);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreLabels(draw);
        return true;
    }

    bool EditGrid(GrFrameRec& frame) override
    {
        CGraphGrid dialog;
        dialog.LoadFrame(frame);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreFrame(frame);
        return true;
    }

    bool EditRegression(CGraphViewDoc& doc) override { return RunRegressionDialog(doc) == fw::IDOK; }

    bool EditLineFill(CDrawObjPrf& style, bool transparencyAllowed) override
    {
        CLineFillDlg dialog(style, transparencyAllowed);
        return dialog.DoModal() == fw::IDOK;
    }

    bool EditText(fw::CString& text, bool& vertical, bool rotationAllowed) override
    {
        CDrawTextDlg dialog;
        dialog.m_strText = text;
        dialog.m_bVertical = vertical ? 1 : 0;
        dialog.m_bRotationAllowed = rotationAllowed ? 1 : 0;
        if (dialog.DoModal() != fw::IDOK)
            return false;
        text = dialog.m_strText;
        vertical = dialog.m_bVertical != 0;
        return true;
    }
};

} // namespace

void InstallGraphDocDialogs()
{
    static CGraphDocDialogs dialogs;
    fw::Install<IGraphDocDialogs>(&dialogs);
}
