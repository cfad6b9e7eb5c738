// The value part of a cache tank's archive form, the transfer of an existing
// cache file, and the compression and expansion of the file.
//
//   storage mode   int32   0 raw, 1 compressed, 2 fill on loading, 3 length only
//   count          int32   values (modes 0, 2, 3) or units of the coded stream (1)
//   values         count * sizeof(T) bytes, modes 0 and 1 only

#include "common/cache/CacheDataTank.h"
#include "common/cache/CacheFileReport.h"

#include "common/cache/HuffmanFile.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <climits>

namespace {

// Status texts of the transfers (%s = the tank's name).
constexpr unsigned kIdsReading = 508;
constexpr unsigned kIdsCompressing = 509;
constexpr unsigned kIdsExpanding = 510;
constexpr unsigned kIdsWriting = 515;

// The status line is empty again however a transfer ends.
struct StatusClearer {
    ~StatusClearer() { fw::Status().Clear(); }
};

bool IsKnownMode(int32_t mode) { return mode >= kCacheStoreRaw && mode <= kCacheStoreLength; }

// The coded values inside an archive, read by the coder as a file of their
// own: they go from the archive straight into the tank's file.
class ArchiveSlice : public fw::CFile {
public:
    ArchiveSlice(fw::CArchive& ar, uint64_t length) : m_ar(ar), m_length(length) { SetFilePath(ar.m_strFileName); }
    size_t Read(void* buffer, size_t count) override
    {
        const auto n = static_cast<size_t>(std::min<uint64_t>(count, m_length - m_done));
        const size_t got = m_ar.Read(buffer, n);
        m_done += got;
        return got;
    }
    void Write(const void*, size_t) override { Refuse(); }
    uint64_t Seek(int64_t offset, SeekPosition from) override
    {
        // The coder rewinds only before it reads.
        if (offset != 0 || from != begin || m_done != 0)
            Refuse();
        return 0;
    }
    uint64_t GetPosition() const override { return m_done; }
    uint64_t GetLength() const override { return m_length; }
    // The archive goes on behind the stream, padding included.
    void SkipRest()
    {
        uint8_t scratch[256];
        while (m_done < m_length) {
            const auto n = static_cast<size_t>(std::min<uint64_t>(sizeof scratch, m_length - m_done));
            m_ar.ReadExact(scratch, n);
            m_done += n;
        }
    }

private:
    [[noreturn]] void Refuse() const
    {
        throw fw::CFileException(fw::CFileException::badSeek, -1, GetFilePath());
    }
    fw::CArchive& m_ar;
    uint64_t m_length;
    uint64_t m_done = 0;
};

// A destination the coder writes from its start to its end, never seeking:
// what is written goes on through Put at the running length.
class ForwardSink : public fw::CFile {
public:
    explicit ForwardSink(const fw::CString& path) { SetFilePath(path); }
    size_t Read(void*, size_t) override { return 0; }
    void Write(const void* buffer, size_t count) override
    {
        Put(m_length, buffer, count);
        m_length += count;
    }
    uint64_t Seek(int64_t, SeekPosition) override
    {
        throw fw::CFileException(fw::CFileException::badSeek, -1, GetFilePath());
    }
    uint64_t GetPosition() const override { return m_length; }
    uint64_t GetLength() const override { return m_length; }

protected:
    virtual void Put(uint64_t at, const void* buffer, size_t count) = 0;

private:
    uint64_t m_length = 0;
};

// The archive as the coder's destination.
class ArchiveSink : public ForwardSink {
public:
    explicit ArchiveSink(fw::CArchive& ar) : ForwardSink(ar.m_strFileName), m_ar(ar) {}

private:
    void Put(uint64_t, const void* buffer, size_t count) override { m_ar.Write(buffer, count); }
    fw::CArchive& m_ar;
};

// A cache file written from its start by the coder.
class CacheFileSink : public ForwardSink {
public:
    CacheFileSink(CCacheFile& file, const fw::CString& path) : ForwardSink(path), m_file(file) {}

private:
    void Put(uint64_t at, const void* buffer, size_t count) override { m_file.WriteAt(at, buffer, count); }
    CCacheFile& m_file;
};

} // namespace

template <class T> void CCacheDataTank<T>::ShowStatus(unsigned id)
{
    fw::CString pattern;
    fw::LoadString(id, pattern);
    fw::CString text;
    text.Format(pattern.c_str(), this->GetName());
    fw::Status().SetText(text);
}

template <class T> void CCacheDataTank<T>::SyncHeaderCount()
{
    // As in the array tanks, a damaged file whose header count differs is
    // taken by its values.
    if (this->HasHeader() && this->GetDataCount() != m_storeCount)
        this->SetDataCount(static_cast<int>(m_storeCount));
}

template <class T> void CCacheDataTank<T>::StoreFileBytes(fw::CArchive& ar, const fw::CString& path, uint64_t bytes)
{
    if (bytes == 0)
        return;
    int64_t chunk = 0;
    auto buffer = AllocateBuffer(int64_t(bytes / sizeof(T)), chunk);
    if (!buffer)
        throw std::bad_alloc();
    fw::CFile file(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite);
    const uint64_t chunkBytes = uint64_t(chunk) * sizeof(T);
    for (uint64_t done = 0; done < bytes;) {
        const size_t n = size_t(std::min(chunkBytes, bytes - done));
        if (file.Read(buffer.get(), n) != n)
            fw::ThrowFileException(fw::CFileException::endOfFile, -1, path);
        ar.Write(buffer.get(), n);
        done += n;
    }
    file.Close();
}

template <class T> void CCacheDataTank<T>::StoreValuePart(fw::CArchive& ar, int32_t mode, bool valuesInEveryMode)
{
    ar << mode;
    if (mode == kCacheStoreCompressed && GetArraySize() < 1) {
        // Nothing to code: the count 0 alone reads back as an empty file.
        ar << int32_t{0};
        return;
    }
    if (mode == kCacheStoreCompressed) {
        if (!CompressFile())
            fw::ThrowUserException();
        // The tank goes back to its raw file however the transfer ends.
        struct Dropper {
            CCacheDataTank* tank;
            ~Dropper() { tank->DropCompressedFile(); }
        } dropper{this};
        const uint64_t units = FileLength(m_filePath) / sizeof(T);
        if (units > uint64_t(INT32_MAX))
            fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
        ar << static_cast<int32_t>(units);
        StoreFileBytes(ar, m_filePath, units * sizeof(T));
        return;
    }
    const int32_t count = GetArraySize();
    ar << count;
    if (count < 1 || (!valuesInEveryMode && mode != kCacheStoreRaw))
        return;
    if (!FlushWindow())
        fw::ThrowUserException();
    // An unwritten fill tail goes out as markers, not through the file.
    const int64_t written = std::min<int64_t>(count, m_fillFrom);
    StoreFileBytes(ar, m_filePath, uint64_t(written) * sizeof(T));
    StoreFillMarkers(ar, count - written);
}

template <class T> void CCacheDataTank<T>::StoreFillMarkers(fw::CArchive& ar, int64_t count)
{
    if (count <= 0)
        return;
    int64_t chunk = 0;
    auto buffer = AllocateBuffer(count, chunk);
    if (!buffer)
        throw std::bad_alloc();
    std::fill(buffer.get(), buffer.get() + chunk, this->m_fillMarker);
    for (int64_t done = 0; done < count; done += chunk)
        ar.Write(buffer.get(), size_t(std::min(chunk, count - done)) * sizeof(T));
}

template <class T> void CCacheDataTank<T>::CheckArchiveHolds(fw::CArchive& ar, int64_t count)
{
    // A count is not believed beyond the bytes the archive still holds.
    if (count > 0 && uint64_t(count) * sizeof(T) > ar.BytesLeft())
        fw::ThrowArchiveException(fw::CArchiveException::endOfFile, ar.m_strFileName);
}

template <class T> void CCacheDataTank<T>::LoadValueArray(fw::CArchive& ar, int64_t count)
{
    CheckArchiveHolds(ar, count);
    DropWindow();
    int64_t chunk = 0;
    auto buffer = AllocateBuffer(count, chunk);
    if (!buffer)
        throw std::bad_alloc();
    const bool wasOpen = m_open;
    if (!OpenRaw())
        fw::ThrowUserException();
    for (int64_t done = 0; done < count;) {
        const int64_t k = std::min(chunk, count - done);
        ar.ReadExact(buffer.get(), size_t(k) * sizeof(T));
        WriteAt(done, buffer.get(), k);
        done += k;
    }
    if (!wasOpen && !CloseRaw())
        fw::ThrowUserException();
}

template <class T> void CCacheDataTank<T>::SerializeValues(fw::CArchive& ar)
{
    StatusClearer clearer;
    if (ar.IsStoring()) {
        ShowStatus(kIdsWriting);
        StoreValuePart(ar, m_storageMode, false);
        return;
    }
    ShowStatus(kIdsReading);
    try {
        if (!CreateCacheFile())
            fw::ThrowUserException();
        int32_t mode = 0;
        int32_t count = 0;
        ar >> mode >> count;
        if (!IsKnownMode(mode))
            fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
        m_storageMode = mode;
        if (mode == kCacheStoreRaw || mode == kCacheStoreCompressed)
            CheckArchiveHolds(ar, count);
        if (!ResizeArray(count))
            fw::ThrowUserException();
        if (count >= 1) {
            if (mode == kCacheStoreFill) {
                if (!FillRange(0, count))
                    fw::ThrowUserException();
                this->SetMax(HUGE_VAL);
                this->SetMin(HUGE_VAL);
                this->SetAverage(HUGE_VAL);
            } else if (mode == kCacheStoreRaw || mode == kCacheStoreCompressed) {
                LoadValueArray(ar, count);
            }
            ReleaseWindow();
        }
        if (!CloseCacheFile())
            fw::ThrowUserException();
        if (count >= 1 && mode == kCacheStoreCompressed && !ExpandFile())
            fw::ThrowUserException();
        SyncHeaderCount();
    } catch (...) {
        // The tank is discarded by the caller; its files go at once.
        DiscardFiles();
        throw;
    }
}

template <class T> void CCacheDataTank<T>::SerializeCacheFile(fw::CArchive& ar, bool compress)
{
    StatusClearer clearer;
    if (ar.IsStoring()) {
        ShowStatus(kIdsWriting);
        const int32_t mode = compress ? kCacheStoreCompressed : m_storageMode;
        if (mode == kCacheStoreCompressed && m_prevPath.IsEmpty() && GetArraySize() >= 1) {
            ar << mode;
            StoreCodedValues(ar);
            return;
        }
        StoreValuePart(ar, mode, true);
        return;
    }
    ShowStatus(kIdsReading);
    if (!OpenCacheFile())
        fw::ThrowUserException();
    int32_t mode = 0;
    int32_t count = 0;
    ar >> mode >> count;
    if (!IsKnownMode(mode))
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    m_storageMode = mode;
    CheckArchiveHolds(ar, count);
    // The file's values are replaced, unsaved window changes included.
    DropWindow();
    if (count >= 1 && mode == kCacheStoreCompressed) {
        if (!ExpandFromArchive(ar, count))
            fw::ThrowUserException();
    } else {
        if (!ResizeArray(count))
            fw::ThrowUserException();
        if (count >= 1)
            LoadValueArray(ar, count);
    }
    if (!CloseCacheFile())
        fw::ThrowUserException();
    SyncHeaderCount();
}

template <class T> bool CCacheDataTank<T>::StartCodedCopy(const fw::CString& from)
{
    m_prevPath = from;
    if (CreateTempFile() && CloseRaw())
        return true;
    if (!m_filePath.IsEmpty() && m_filePath != from)
        RemoveFile(m_filePath, false);
    m_filePath = from;
    m_prevPath.Empty();
    return false;
}

template <class T> bool CCacheDataTank<T>::CompressFile()
{
    ShowStatus(kIdsCompressing);
    // The coder reads the file by name: every value must be in it, those of
    // a window changed while the file was closed too.
    if (!FlushWindow() || !MaterializeFillTail() || !CloseCacheFile())
        return false;
    const fw::CString raw = m_filePath;
    if (!StartCodedCopy(raw))
        return false;
    CHuffmanFile coder;
    CCacheFile::MakeRoom(2); // the coder opens both files by name
    if (!coder.CodeFile(raw, m_filePath, false, kUnitSize)) {
        // The tank stays on its raw file, which the coder only read.
        RemoveFile(m_filePath, false);
        m_filePath = raw;
        m_prevPath.Empty();
        return false;
    }
    return true;
}

template <class T> void CCacheDataTank<T>::StoreCodedValues(fw::CArchive& ar)
{
    ShowStatus(kIdsCompressing);
    // The coder reads the file by name: every value must be in it, those of
    // a window changed while the file was closed too.
    if (!FlushWindow() || !MaterializeFillTail() || !CloseCacheFile())
        fw::ThrowUserException();
    CCacheFile::MakeRoom(1);
    fw::CFile in;
    fw::CFileException err;
    if (!in.Open(m_filePath, fw::CFile::modeRead | fw::CFile::shareDenyWrite, &err)) {
        ReportCacheFileError(err);
        fw::ThrowUserException();
    }
    CHuffmanFile coder;
    uint64_t bytes = 0;
    if (!coder.PrepareShowingErrors(in, kUnitSize, bytes))
        fw::ThrowUserException();
    const uint64_t units = bytes / sizeof(T);
    if (units > uint64_t(INT32_MAX))
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    ar << static_cast<int32_t>(units);
    // Straight into the archive: the count is known before the first byte.
    ArchiveSink out(ar);
    coder.WriteEncoding(out);
    in.Close();
}

template <class T> bool CCacheDataTank<T>::ExpandFromArchive(fw::CArchive& ar, int64_t units)
{
    ShowStatus(kIdsExpanding);
    if (!OpenRaw())
        return false;
    uint64_t length = 0;
    bool ok = false;
    try {
        // The values are written over the old ones, whose room counts as free.
        const uint64_t old = m_file.GetLength();
        const uint64_t free = fw::fs::DiskFree(m_filePath).value_or(UINT64_MAX);
        const uint64_t room = free > UINT64_MAX - old ? UINT64_MAX : free + old;
        m_fillFrom = kNoFillTail;
        ArchiveSlice in(ar, uint64_t(units) * sizeof(T));
        CacheFileSink out(m_file, m_filePath);
        CHuffmanFile coder;
        // A coder failure has been shown by the coder.
        if (coder.ExpandShowingErrors(in, out, room)) {
            in.SkipRest();
            length = out.GetLength();
            ok = true;
        }
    } catch (const fw::CFileException& e) {
        ReportCacheFileError(e);
    }
    if (ok && length % sizeof(T) != 0) {
        // Whole values or the data is not what was stored.
        ReportCacheFileError(fw::CArchiveException(fw::CArchiveException::genericException, ar.m_strFileName));
        ok = false;
    }
    if (!ok)
        length = 0;
    // A failure leaves no values half expanded.
    try {
        m_file.SetLength(length);
    } catch (const fw::CFileException& e) {
        if (ok)
            ReportCacheFileError(e);
        ok = false;
    }
    m_storeCount = ok ? int64_t(length / sizeof(T)) : 0;
    return ok;
}

template <class T> bool CCacheDataTank<T>::DropCompressedFile()
{
    if (!m_prevPath.IsEmpty()) {
        RemoveFile(m_filePath, true);
        m_filePath = m_prevPath;
        m_prevPath.Empty();
    }
    fw::Status().Clear();
    return true;
}

template <class T> bool CCacheDataTank<T>::ExpandFile()
{
    ShowStatus(kIdsExpanding);
    if (!CloseCacheFile())
        return false;
    DropWindow();
    const fw::CString packed = m_filePath;
    if (!StartCodedCopy(packed))
        return false;
    CHuffmanFile coder;
    CCacheFile::MakeRoom(2);
    bool ok = coder.CodeFile(packed, m_filePath, true, 1);
    const bool removed = RemoveFile(packed, true);
    m_prevPath.Empty();
    const uint64_t length = FileLength(m_filePath);
    m_storeCount = int64_t(length / sizeof(T));
    m_fillFrom = kNoFillTail;
    if (ok && length % sizeof(T) != 0) {
        // Whole values or the data is not what was stored.
        ReportCacheFileError(fw::CArchiveException(fw::CArchiveException::genericException, packed));
        ok = false;
    }
    return ok && removed;
}

#define KIV_CACHE_ARCHIVE_MEMBERS(T)                                                              \
    template void CCacheDataTank<T>::ShowStatus(unsigned);                                        \
    template void CCacheDataTank<T>::SyncHeaderCount();                                           \
    template void CCacheDataTank<T>::StoreFileBytes(fw::CArchive&, const fw::CString&, uint64_t); \
    template void CCacheDataTank<T>::StoreFillMarkers(fw::CArchive&, int64_t);                  \
    template void CCacheDataTank<T>::StoreValuePart(fw::CArchive&, int32_t, bool);                \
    template void CCacheDataTank<T>::LoadValueArray(fw::CArchive&, int64_t);                      \
    template void CCacheDataTank<T>::CheckArchiveHolds(fw::CArchive&, int64_t);                   \
    template void CCacheDataTank<T>::SerializeValues(fw::CArchive&);                              \
    template void CCacheDataTank<T>::SerializeCacheFile(fw::CArchive&, bool);                     \
    template bool CCacheDataTank<T>::StartCodedCopy(const fw::CString&);                          \
    template bool CCacheDataTank<T>::CompressFile();                                              \
    template bool CCacheDataTank<T>::DropCompressedFile();                                        \
    template bool CCacheDataTank<T>::ExpandFile();                                                \
    template bool CCacheDataTank<T>::ExpandFromArchive(fw::CArchive&, int64_t);                  \
    template void CCacheDataTank<T>::StoreCodedValues(fw::CArchive&);

KIV_CACHE_ARCHIVE_MEMBERS(float)
KIV_CACHE_ARCHIVE_MEMBERS(double)
KIV_CACHE_ARCHIVE_MEMBERS(int32_t)
KIV_CACHE_ARCHIVE_MEMBERS(uint32_t)
