// The VO-8025 CSV output of a frequency document.

#include "common/base/TextFile.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "frequency/document/Hist8025Writer.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistOutParam.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/ServiceSlot.h"
#include "frequency/document/HistOutChooser.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistStrings.h"

FW_BEGIN_COMMANDS(CHistDoc, CKivDocBase)
    FW_ON_COMMAND(CHistDoc::kIdOutput8025Csv, &CHistDoc::OnFileOutput8025Csv)
FW_END_COMMANDS

namespace {

// "CSV ﾌｧｲﾙ(*.csv)|*.csv||" as the dialog's filter.
fw::FileFilter CsvFilter()
{
    const fw::CString text = HistString(histstr::kCsvFilter);
    const int bar = text.Find('|');
    const fw::CString name = bar >= 0 ? text.Left(bar) : text;
    fw::CString pattern = bar >= 0 ? text.Mid(bar + 1) : fw::CString("*.csv");
    const int end = pattern.Find('|');
    if (end >= 0)
        pattern = pattern.Left(end);
    return fw::FileFilter{name, {pattern}};
}

} // namespace

void CHistDoc::OnFileOutput8025Csv()
{
    IHistOutChooser* chooser = fw::Installed<IHistOutChooser>();
    CHistOutParam options;
    if (!chooser || !chooser->Choose(GetHistCountArray(), options))
        return;
    fw::FileDialogRequest request;
    request.defaultExt = "csv";
    request.filters.push_back(CsvFilter());
    request.flags = fw::OFN_HIDEREADONLY | fw::OFN_OVERWRITEPROMPT;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    Write8025CsvFile(result.paths.front(), options);
}

bool CHistDoc::Write8025CsvFile(const fw::CString& path, const CHistOutParam& options)
{
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
        return false;
    fw::CWaitCursor wait;
    CHist8025Writer::Record record;
    record.start = GetStartTime();
    record.stop = GetStopTime();
    if (const CHistCountArray* analyses = GetHistCountArray())
        record.measuringSeconds = analyses->m_measuringTime;
    try {
        CHist8025Writer writer(m_boxArray, record, file);
        writer.WriteAll(options);
        file.Close();
    } catch (const fw::CFileException& e) {
        file.Abort();
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}
