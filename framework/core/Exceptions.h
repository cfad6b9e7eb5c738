#pragma once

// The framework's exceptions. They are thrown by value and caught by
// reference; a catch site that adds detail changes the caught object and
// rethrows it with `throw;`. Out of memory is std::bad_alloc.

#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "framework/core/Services.h"

#include <exception>

namespace fw {

// Prompt ids of the framework's string table that exceptions use.
inline constexpr unsigned kIdpOutOfMemory = 61475;
inline constexpr unsigned kIdpNoErrorMessage = 61472;
inline constexpr unsigned kIdpBadFormat = 61728;
inline constexpr unsigned kIdpInvalidFileName = 61729;
inline constexpr unsigned kIdpDiskFull = 61730;
inline constexpr unsigned kIdpAccessDeniedRead = 61731;
inline constexpr unsigned kIdpAccessDeniedWrite = 61732;
inline constexpr unsigned kIdpUnexpectedRead = 61733;
inline constexpr unsigned kIdpUnexpectedWrite = 61734;

class CException : public CObject, public std::exception {
    FW_DECLARE_DYNAMIC(CException)
public:
    // The text to show; false when the exception has none.
    virtual bool GetErrorMessage(CString& text, unsigned* helpContext = nullptr) const;
    // Shows the message in a message box with flags `mb`; without a
    // message, string `defaultId`, or the no-message prompt when that is 0.
    // Returns the box's answer.
    virtual int ReportError(unsigned mb = MB_OK, unsigned defaultId = 0) const;
    const char* what() const noexcept override;

private:
    mutable std::string m_what; // keeps what()'s text alive
};

// An exception whose message is one string-table entry, loaded when it is
// first asked for. Derived classes (the program's CZelException) may also
// put a text of their own in. The fields keep the layout's meaning:
//   m_bInitialized  the message has been prepared (loaded or set); while it is
//                   set, m_nResourceID is not consulted again
//   m_bLoaded       m_strMessage holds a message (false: none, the entry
//                   was missing)
//   m_strMessage    at most 127 CP932 bytes, cut at a character boundary,
//                   as the original 128-byte buffer held
//   m_nResourceID   string-table id of the message
class CSimpleException : public CException {
    FW_DECLARE_DYNAMIC(CSimpleException)
public:
    static constexpr int kMaxMessageBytes = 127;

    CSimpleException() = default;
    explicit CSimpleException(unsigned resourceId) : m_nResourceID(resourceId) {}

    bool GetErrorMessage(CString& text, unsigned* helpContext = nullptr) const override;

protected:
    // Sets both flags and the text (cut to kMaxMessageBytes); nullptr = empty.
    void SetMessageText(const char* text);
    // Forgets the current text; the next request loads entry `id`.
    void SetMessageResource(unsigned id);

    mutable bool m_bInitialized = false;
    mutable bool m_bLoaded = false;
    mutable CString m_strMessage;
    unsigned m_nResourceID = 0;
};

class CNotSupportedException : public CSimpleException {
    FW_DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
};

class CInvalidArgException : public CSimpleException {
    FW_DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() = default;
};

class CResourceException : public CSimpleException {
    FW_DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
};

// Ends an operation the user cancelled or that already told the user why;
// it is never reported.
class CUserException : public CException {
    FW_DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
    bool GetErrorMessage(CString& text, unsigned* helpContext = nullptr) const override;
    int ReportError(unsigned mb = MB_OK, unsigned defaultId = 0) const override;
};

class CArchiveException : public CException {
    FW_DECLARE_DYNAMIC(CArchiveException)
public:
    enum Cause : int { none = 0, genericException = 1, readOnly = 2, endOfFile = 3, writeOnly = 4,
                       badIndex = 5, badClass = 6, badSchema = 7 };

    explicit CArchiveException(int cause = none, const CString& fileName = {})
        : m_cause(cause), m_strFileName(fileName) {}
    bool GetErrorMessage(CString& text, unsigned* helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException {
    FW_DECLARE_DYNAMIC(CFileException)
public:
    enum Cause : int { none = 0, genericException = 1, fileNotFound = 2, badPath = 3, tooManyOpenFiles = 4,
                       accessDenied = 5, invalidFile = 6, removeCurrentDir = 7, directoryFull = 8,
                       badSeek = 9, hardIO = 10, sharingViolation = 11, lockViolation = 12, diskFull = 13,
                       endOfFile = 14 };
    // Windows' "write protected" system error, which the write-protection
    // message keys on.
    static constexpr int kOsErrorWriteProtect = 19;

    explicit CFileException(int cause = none, int osError = -1, const CString& fileName = {})
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

    // The exception for a failed system call on `fileName` (errno value).
    static CFileException FromErrno(int err, const CString& fileName = {});
    // The cause and the Windows-style system error for an errno value.
    static int CauseFromErrno(int err);
    static int OsErrorFromErrno(int err);

    bool GetErrorMessage(CString& text, unsigned* helpContext = nullptr) const override;
    // The same for a failed write: the write-side texts of access denied
    // and of the unexpected failures.
    bool GetWriteErrorMessage(CString& text) const;

    int m_cause;
    int m_lOsError;     // Windows-style system error (ERROR_*), -1 when none fits
    int m_errno = 0;    // the errno behind it, 0 when none
    CString m_strFileName;
};

// Shows any exception the way the framework's message loop did: framework
// exceptions through ReportError, std::bad_alloc as out of memory, others
// as `defaultId` or the no-message prompt. CUserException shows nothing.
void ReportException(const std::exception& e, unsigned defaultId = 0);

[[noreturn]] void ThrowArchiveException(int cause, const CString& fileName = {});
[[noreturn]] void ThrowFileException(int cause, int osError = -1, const CString& fileName = {});
[[noreturn]] void ThrowFileErrno(int err, const CString& fileName = {});
[[noreturn]] void ThrowUserException();
[[noreturn]] void ThrowInvalidArgException();
[[noreturn]] void ThrowNotSupportedException();
[[noreturn]] void ThrowResourceException();

} // namespace fw
