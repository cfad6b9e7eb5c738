// The text exports of the data lists: the option sheet, then either one
// file of the chosen channels and rows or the whole sheet cut into files.

#include "data/views/KivDataListViewBase.h"

#include "common/base/TextFile.h"
#include "data/model/DataTextExport.h"
#include "data/model/ExportTextWriter.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataListSheetSource.h"
#include "data/views/DataListTextSheet.h"
#include "data/views/KivDataFrame.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"
#include "project/views/DataTextOptions.h"

namespace {

std::vector<fw::FileFilter> ExportFilters(int32_t page)
{
    const fw::FileFilter csv{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}};
    if (page == tTextConvParam::kPageLob)
        return {csv};
    if (page == tTextConvParam::kPageDadisp)
        return {fw::FileFilter{fw::CString("DADiSP ﾌｧｲﾙ(*.hed *.dat)"), {fw::CString("*.hed")}}};
    return {csv, fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}}};
}

} // namespace

void CKivDataListViewBase::OnExportText()
{
    ExportText(Selection());
}

void CKivDataListViewBase::ExportText(const CCellRange& selection)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    tTextConvParam& app = AppTextConvParam();
    CDataListTextSheet sheet(CDataListTextSheet::kIdsCaption, this, app.page);
    sheet.m_options = app;
    sheet.m_pDoc = doc;
    sheet.m_selection = selection;
    sheet.m_nRowCount = doc->GetSampleCount();
    if (sheet.DoModal() != fw::IDOK)
        return;
    app = sheet.m_options;
    if (app.page == tTextConvParam::kPageSelection) {
        OnTextSave();
        return;
    }
    fw::FileDialogRequest request;
    request.filters = ExportFilters(app.page);
    request.defaultExt = "csv";
    // Every block file is made new; none is overwritten.
    request.flags = fw::OFN_HIDEREADONLY;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    const fw::CString base = app.TakeExportPath(result.paths.front());
    WriteSplitText(base, app);
}

void CKivDataListViewBase::WriteText(CTextFile& file, bool csv)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    const tTextConvParam& options = AppTextConvParam();
    const CDataListSheetSource sheet(*this);
    const CDataTextExport text(*doc, sheet);
    CExportTextWriter out(file);
    if (options.page == tTextConvParam::kPageLob)
        text.WriteLobText(out, options);
    else if (options.page == tTextConvParam::kPageDadisp)
        text.WriteDadispText(out, file.GetFilePath(), options);
    else
        text.WriteCsvText(out, csv, options);
    out.Flush();
}

bool CKivDataListViewBase::WriteSplitText(const fw::CString& path, const tTextConvParam& options)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return false;
    fw::CWaitCursor wait;
    if (CKivDataFrame* frame = GetDataFrame()) {
        frame->UpdateTitleEdit();
        frame->UpdateBarFields();
    }
    const CDataListSheetSource sheet(*this);
    return CDataTextExport(*doc, sheet).WriteSplitText(path, options);
}
