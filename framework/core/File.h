#pragma once

// Files over POSIX descriptors, in the shape the program's code expects of
// the framework: open flags, seek origins and failures as CFileException.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fw {

class CFileException;

class CFile : public CObject {
    FW_DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : unsigned {
        modeRead = 0,
        modeWrite = 1,
        modeReadWrite = 2,
        shareCompat = 0,
        shareExclusive = 0x10,
        shareDenyWrite = 0x20, // share flags are accepted and ignored
        shareDenyRead = 0x30,
        shareDenyNone = 0x40,
        modeNoInherit = 0x80,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : int { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens or throws CFileException.
    CFile(const CString& path, unsigned flags);
    // Closes without reporting errors; call Close() to see them.
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False on failure, with the cause in `err` when given.
    virtual bool Open(const CString& path, unsigned flags, CFileException* err = nullptr);
    // Bytes read; fewer than `count` only at the end of the file.
    virtual size_t Read(void* buffer, size_t count);
    // All of `count` bytes, or CFileException.
    virtual void Write(const void* buffer, size_t count);
    virtual uint64_t Seek(int64_t offset, SeekPosition from);
    uint64_t SeekToBegin() { return Seek(0, begin); }
    uint64_t SeekToEnd() { return Seek(0, end); }
    virtual uint64_t GetPosition() const;
    virtual uint64_t GetLength() const;
    virtual void SetLength(uint64_t length);
    // Forces written data to the disk (fdatasync), as FlushFileBuffers did.
    virtual void Flush();
    // Reports a failed close (a late write error) as CFileException.
    virtual void Close();
    // Closes and ignores every error.
    virtual void Abort();
    virtual bool IsOpen() const { return m_fd >= 0; }

    // Takes ownership of an open descriptor (an exclusive create done by the
    // caller); Detach gives it back without closing.
    void Attach(int fd, const CString& path);
    int Detach();

    const CString& GetFilePath() const { return m_path; }
    void SetFilePath(const CString& path) { m_path = path; }
    CString GetFileName() const;
    int GetHandle() const { return m_fd; }

    static void Remove(const CString& path);
    static void Rename(const CString& oldPath, const CString& newPath);

protected:
    [[noreturn]] void ThrowErrno(int err) const;
    // Writes everything, completing partial writes and retrying EINTR.
    void WriteAll(const void* buffer, size_t count);
    size_t ReadSome(void* buffer, size_t count);

    int m_fd = -1;
    unsigned m_flags = 0;
    CString m_path;
};

// A growable file in memory: undo snapshots, clipboard forms and tests.
class CMemFile : public CFile {
    FW_DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(size_t growBy = 1024);
    // A readable (and writable) file over a copy of `bytes`.
    explicit CMemFile(std::span<const uint8_t> bytes);

    bool Open(const CString& path, unsigned flags, CFileException* err = nullptr) override;
    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    uint64_t Seek(int64_t offset, SeekPosition from) override;
    uint64_t GetPosition() const override { return m_pos; }
    uint64_t GetLength() const override { return m_data.size(); }
    void SetLength(uint64_t length) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }
    bool IsOpen() const override { return true; }

    std::span<const uint8_t> Data() const { return m_data; }
    // Takes `bytes` as the file's content and rewinds.
    void Attach(std::vector<uint8_t> bytes);
    // Hands the content out and leaves the file empty.
    std::vector<uint8_t> Detach();

private:
    size_t m_growBy;
    std::vector<uint8_t> m_data;
    uint64_t m_pos = 0;
};

// A buffered file whose strings are lines of CP932 text. In text mode (the
// default; typeBinary turns it off) a line feed is written as CR LF and a
// CR before a line feed is dropped on reading.
class CStdioFile : public CFile {
    FW_DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(const CString& path, unsigned flags);
    ~CStdioFile() override;

    bool Open(const CString& path, unsigned flags, CFileException* err = nullptr) override;
    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    uint64_t Seek(int64_t offset, SeekPosition from) override;
    uint64_t GetPosition() const override;
    uint64_t GetLength() const override;
    void SetLength(uint64_t length) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // The next line without its line end, decoded to UTF-8; false at the end
    // of the file when nothing was left.
    bool ReadString(CString& line);
    // Encodes to CP932; adds no line end of its own.
    void WriteString(const CString& text);

    bool IsTextMode() const { return m_text; }

private:
    static constexpr size_t kBufferSize = 64 * 1024;

    void FlushWrite();
    void DropReadAhead();
    bool FillRead();
    void PutBytes(const char* data, size_t count);

    bool m_text = true;
    std::vector<char> m_buf;
    size_t m_rpos = 0;    // next unread byte in m_buf (reading)
    size_t m_rend = 0;    // bytes of m_buf holding read-ahead
    size_t m_wlen = 0;    // bytes of m_buf waiting to be written
};

} // namespace fw
