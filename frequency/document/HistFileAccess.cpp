#include "frequency/document/HistFileAccess.h"

#include "common/base/TextFile.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "frequency/document/HistDoc.h"

namespace {

HistFileHeader HeaderOf(const CHistDoc& doc)
{
    HistFileHeader header;
    header.title = doc.GetTestTitle();
    header.cardFileName = doc.GetCardFileName();
    header.start = doc.GetStartTime();
    header.stop = doc.GetStopTime();
    return header;
}

} // namespace

bool CHistFileAccess::CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                                 CHistCountArray* analyses, const fw::CString& cardFileName, fw::CString& path,
                                 HistFileHeader& header)
{
    CHistDoc doc;
    doc.CreateNewContents();
    const bool saved = doc.CreateFile(folder, name, title, analyses, cardFileName);
    header = HeaderOf(doc);
    path = saved ? doc.GetPathName() : fw::CString();
    return saved && !path.IsEmpty();
}

bool CHistFileAccess::ReadHeader(const fw::CString& path, HistFileHeader& header)
{
    try {
        fw::CFile file;
        if (!file.Open(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite))
            return false;
        fw::CArchive ar(&file, fw::CArchive::load);
        CHistDoc doc;
        doc.GetHeader().m_headerOnly = 1;
        doc.Serialize(ar);
        header = HeaderOf(doc);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CHistFileAccess::ReplaceTitle(const fw::CString& path, const fw::CString& title)
{
    fw::CFile file;
    fw::CFileException error;
    if (!file.Open(path, fw::CFile::modeReadWrite | fw::CFile::shareExclusive, &error)) {
        CTextFile::ReportFileError(path, error, true, kIdFileCreateFailed);
        return false;
    }
    try {
        CHistDoc::ReplaceTitleInFile(file, title);
        file.Close();
    } catch (const fw::CUserException&) {
        return false;
    } catch (const fw::CFileException& e) {
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    return true;
}
