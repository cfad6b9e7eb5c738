#include "graphdoc/views/objects/GraphObjectDialogs.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
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
