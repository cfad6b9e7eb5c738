// The VO-8025 CSV output of a frequency document.

#include "common/base/TextFile.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "frequency/document/Hist8025Writer.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/model/HistCountArray.h"

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
