#include "common/base/TextFile.h"

#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

bool CTextFile::OpenFile(const fw::CString& path, unsigned flags)
{
    fw::CFileException error;
    if (Open(path, flags | typeText, &error))
        return true;
    ReportFileError(path, error, false, kIdFileCreateFailed);
    return false;
}

unsigned CTextFile::FileErrorMessageId(const fw::CFileException& error, bool writing, unsigned defaultId)
{
    using E = fw::CFileException;
    switch (error.m_cause) {
    case E::fileNotFound:
    case E::badPath:
        return fw::kIdpInvalidFileName;
    case E::tooManyOpenFiles:
        return kIdFileAlreadyOpen;
    case E::accessDenied:
        if (error.m_lOsError == E::kOsErrorWriteProtect)
            return kIdFileWriteProtected;
        return writing ? fw::kIdpAccessDeniedWrite : fw::kIdpAccessDeniedRead;
    case E::directoryFull:
        return kIdFolderFull;
    case E::sharingViolation:
        return kIdFileInUse;
    case E::diskFull:
        return fw::kIdpDiskFull;
    case E::genericException:
    case E::invalidFile:
    case E::badSeek:
    case E::hardIO:
    case E::lockViolation:
        return writing ? fw::kIdpUnexpectedWrite : fw::kIdpUnexpectedRead;
    default:
        return defaultId;
    }
}

void CTextFile::ReportFileError(const fw::CString& path, const std::exception& error, bool writing,
                                unsigned defaultId)
{
    const auto* fileError = dynamic_cast<const fw::CFileException*>(&error);
    if (!fileError)
        return;
    const unsigned id = FileErrorMessageId(*fileError, writing, defaultId);
    fw::Prompt().MessageBox(fw::FormatString(id, path), fw::MB_OK | fw::MB_ICONEXCLAMATION, id, id);
}

void CTextFile::WriteLine(const fw::CString& text, bool lineEnd)
{
    fw::CString line(text);
    line.Remove('\n');
    if (!line.IsEmpty())
        WriteString(line);
    if (lineEnd)
        WriteString("\n");
}

fw::CString CTextFile::MakeCsvField(const fw::CString& text)
{
    if (text.FindOneOf(",\"") < 0)
        return text;
    fw::CString field(text);
    field.Trim();
    field.Replace("\"", "\"\"");
    return "\"" + field + "\"";
}

void CTextFile::SetFilePath(const char* path)
{
    if (!path)
        fw::ThrowInvalidArgException();
    fw::CStdioFile::SetFilePath(fw::CString(path));
}
