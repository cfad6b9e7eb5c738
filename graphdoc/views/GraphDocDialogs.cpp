#include "graphdoc/views/GraphDocDialogs.h"

#include "chart/model/GrFrameRec.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/views/DrawTextDlg.h"
#include "graphdoc/views/GraphGrid.h"

namespace {

class CGraphDocDialogs final : public IGraphDocDialogs {
public:
    bool EditGrid(GrFrameRec& frame) override
    {
        CGraphGrid dialog;
        dialog.LoadFrame(frame);
        if (dialog.DoModal() != fw::IDOK)
            return false;
        dialog.StoreFrame(frame);
        return true;
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
