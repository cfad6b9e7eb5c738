#include "framework/core/Exceptions.h"

#include "framework/core/Cp932.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <cerrno>
#include <new>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CException, CObject)
FW_IMPLEMENT_DYNAMIC(CSimpleException, CException)
FW_IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
FW_IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
FW_IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
FW_IMPLEMENT_DYNAMIC(CUserException, CException)
FW_IMPLEMENT_DYNAMIC(CArchiveException, CException)
FW_IMPLEMENT_DYNAMIC(CFileException, CException)

// ---------------------------------------------------------------- CException

bool CException::GetErrorMessage(CString& text, unsigned* helpContext) const
{
    text.Empty();
    if (helpContext)
        *helpContext = 0;
    return false;
}

int CException::ReportError(unsigned mb, unsigned defaultId) const
{
    CString text;
    unsigned help = 0;
    if (GetErrorMessage(text, &help))
        return Prompt().MessageBox(text, mb, help, help); // help is the text's id when it has one
    return AfxMessageBox(defaultId ? defaultId : kIdpNoErrorMessage, mb);
}

const char* CException::what() const noexcept
{
    try {
        CString text;
        if (GetErrorMessage(text))
            m_what = text.str();
        else
            m_what = GetRuntimeClass()->name;
        return m_what.c_str();
    } catch (...) {
        return "fw::CException";
    }
}

// ---------------------------------------------------------- CSimpleException

bool CSimpleException::GetErrorMessage(CString& text, unsigned* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!m_bInitialized) {
        CString loaded;
        m_bLoaded = LoadString(m_nResourceID, loaded);
        m_strMessage = m_bLoaded ? CString(cp932::Truncate(loaded.str(), kMaxMessageBytes)) : CString();
        m_bInitialized = true;
    }
    if (!m_bLoaded) {
        text.Empty();
        return false;
    }
    text = m_strMessage;
    return true;
}

void CSimpleException::SetMessageText(const char* text)
{
    m_strMessage = text ? CString(cp932::Truncate(text, kMaxMessageBytes)) : CString();
    m_bInitialized = true;
    m_bLoaded = true;
}

void CSimpleException::SetMessageResource(unsigned id)
{
    m_nResourceID = id;
    m_bInitialized = false;
    m_bLoaded = false;
    m_strMessage.Empty();
}

// ------------------------------------------------------------ CUserException

bool CUserException::GetErrorMessage(CString& text, unsigned* helpContext) const
{
    text.Empty();
    if (helpContext)
        *helpContext = 0;
    return false;
}

int CUserException::ReportError(unsigned, unsigned) const
{
    return 0;
}

// ---------------------------------------------------------- CArchiveException

bool CArchiveException::GetErrorMessage(CString& text, unsigned* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    unsigned id = 0;
    switch (m_cause) {
    case genericException: case endOfFile: case badIndex: case badClass: case badSchema:
        id = kIdpBadFormat;
        break;
    case readOnly: // a write to a loading archive
        id = kIdpUnexpectedWrite;
        break;
    case writeOnly: // a read from a storing archive
        id = kIdpUnexpectedRead;
        break;
    default:
        break;
    }
    text.Empty();
    if (!id)
        return false;
    text = FormatString(id, m_strFileName);
    if (helpContext)
        *helpContext = id;
    return !text.IsEmpty();
}

// ------------------------------------------------------------- CFileException

int CFileException::CauseFromErrno(int err)
{
    switch (err) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR: case ENAMETOOLONG: case ELOOP: return badPath;
    case EMFILE: case ENFILE: return tooManyOpenFiles;
    case EACCES: case EPERM: case EISDIR: case EROFS: return accessDenied;
    case ESPIPE: case EINVAL: return badSeek;
    case EIO: return hardIO;
    case EBUSY: case ETXTBSY: case EWOULDBLOCK: return sharingViolation;
    case ENOSPC: case EDQUOT: case EFBIG: return diskFull;
    default: return genericException;
    }
}

// Windows' numbers for the same failures, which some callers test.
int CFileException::OsErrorFromErrno(int err)
{
    switch (err) {
    case 0: return 0;
    case ENOENT: return 2;                          // ERROR_FILE_NOT_FOUND
    case ENOTDIR: case ENAMETOOLONG: case ELOOP: return 3; // ERROR_PATH_NOT_FOUND
    case EMFILE: case ENFILE: return 4;             // ERROR_TOO_MANY_OPEN_FILES
    case EACCES: case EPERM: case EISDIR: return 5; // ERROR_ACCESS_DENIED
    case EROFS: return kOsErrorWriteProtect;        // ERROR_WRITE_PROTECT
    case ESPIPE: case EINVAL: return 25;            // ERROR_SEEK
    case EIO: return 1117;                          // ERROR_IO_DEVICE
    case EBUSY: case ETXTBSY: case EWOULDBLOCK: return 32; // ERROR_SHARING_VIOLATION
    case ENOSPC: case EDQUOT: case EFBIG: return 112; // ERROR_DISK_FULL
    default: return -1;
    }
}

CFileException CFileException::FromErrno(int err, const CString& fileName)
{
    CFileException e(CauseFromErrno(err), OsErrorFromErrno(err), fileName);
    e.m_errno = err;
    return e;
}

bool CFileException::GetErrorMessage(CString& text, unsigned* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    unsigned id = 0;
    switch (m_cause) {
    case fileNotFound: case badPath: id = kIdpInvalidFileName; break;
    case accessDenied: id = kIdpAccessDeniedRead; break;
    case diskFull: id = kIdpDiskFull; break;
    case genericException: case invalidFile: case badSeek: case hardIO: case sharingViolation:
    case lockViolation: case tooManyOpenFiles: case directoryFull: case endOfFile:
        id = kIdpUnexpectedRead;
        break;
    default: break;
    }
    text.Empty();
    if (!id)
        return false;
    text = FormatString(id, m_strFileName);
    if (helpContext)
        *helpContext = id;
    return !text.IsEmpty();
}

bool CFileException::GetWriteErrorMessage(CString& text) const
{
    unsigned id = kIdpUnexpectedWrite;
    switch (m_cause) {
    case fileNotFound: case badPath: id = kIdpInvalidFileName; break;
    case accessDenied: id = kIdpAccessDeniedWrite; break;
    case diskFull: id = kIdpDiskFull; break;
    default: break;
    }
    text = FormatString(id, m_strFileName);
    return !text.IsEmpty();
}

// ------------------------------------------------------------------- helpers

void ReportException(const std::exception& e, unsigned defaultId)
{
    if (auto* fwe = dynamic_cast<const CException*>(&e)) {
        fwe->ReportError(MB_OK, defaultId);
        return;
    }
    if (dynamic_cast<const std::bad_alloc*>(&e)) {
        AfxMessageBox(kIdpOutOfMemory, MB_OK);
        return;
    }
    AfxMessageBox(defaultId ? defaultId : kIdpNoErrorMessage, MB_OK);
}

void ThrowArchiveException(int cause, const CString& fileName)
{
    throw CArchiveException(cause, fileName);
}

void ThrowFileException(int cause, int osError, const CString& fileName)
{
    throw CFileException(cause, osError, fileName);
}

void ThrowFileErrno(int err, const CString& fileName)
{
    throw CFileException::FromErrno(err, fileName);
}

void ThrowUserException()
{
    throw CUserException();
}

void ThrowInvalidArgException()
{
    throw CInvalidArgException();
}

void ThrowNotSupportedException()
{
    throw CNotSupportedException();
}

void ThrowResourceException()
{
    throw CResourceException();
}

} // namespace fw
