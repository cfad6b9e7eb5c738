#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/DocumentTypes.h"
#include "app/shell/GraphListHooks.h"
#include "app/shell/ShellIds.h"
#include "data/model/DataHeaderReaderImpl.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "data/views/DataListTextSheet.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataFrame.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/ui/MultiDocTemplate.h"
#include "project/views/FuncDlg.h"

namespace {

// The views reach the charting engine's graph behind the documents' list.
class CChartGraphAccess final : public IDataGraphAccess {
public:
    CGraphTimeListObj* TimeListGraph(IGraphTimeList& list) override
    {
        auto* chart = dynamic_cast<CChartGraphTimeList*>(&list);
        return chart ? &chart->Graph() : nullptr;
    }
};

fw::CString PickFormulaFunction(fw::CWnd* parent)
{
    CFuncDlg dlg(parent);
    if (dlg.DoModal() != fw::IDOK)
        return {};
    return dlg.m_strFunction;
}

} // namespace

// A ".kivd" opens in the data window, its channel table first.
void RegisterDataViews()
{
    static CChartGraphAccess access;
    fw::Install<IDataGraphAccess>(&access);
    // The project's history rebuild reads the headers of the data files.
    static CKivDataHeaderReader headerReader;
    fw::Install<IDataHeaderReader>(&headerReader);
    CKivDataEXChView::s_pickFunction = &PickFormulaFunction;
    // The project's data list asks for its text options on the same sheet.
    static CDataListTextSheetRunner textSheet;
    fw::Install<IDataListTextSheet>(&textSheet);
    // A type registered before start-up (a test's stand-in) stays.
    if (DocumentTypeMaker(kIdrDataType))
        return;
    RegisterDocumentType(kIdrDataType, [] {
        return new fw::CMultiDocTemplate(kIdrDataType, FW_RUNTIME_CLASS(CKivDataDoc), FW_RUNTIME_CLASS(CKivDataFrame),
                                         FW_RUNTIME_CLASS(CKivDataChView));
    });
}
