#include "common/cache/CacheDataTank.h"

#include "common/cache/CacheFileReport.h"
#include "common/cache/CachePoters.h"
#include "framework/core/AllocLimit.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

namespace {

constexpr const char* kTempPrefix = "~WW";

template <class T> fw::CString& TempFolderOf()
{
    static fw::CString folder;
    return folder;
}

} // namespace

template <class T> void CCacheDataTank<T>::SetTempFolder(const fw::CString& folder)
{
    TempFolderOf<T>() = folder;
}

template <class T> fw::CString CCacheDataTank<T>::GetTempFolder()
{
    const fw::CString& folder = TempFolderOf<T>();
    if (!folder.IsEmpty())
        return folder;
    std::error_code ec;
    const auto tmp = std::filesystem::temp_directory_path(ec);
    return ec ? fw::CString("/tmp") : fw::CString(tmp.string());
}

template <class T> CCacheDataTank<T>::CCacheDataTank() = default;

template <class T> CCacheDataTank<T>::~CCacheDataTank()
{
    // The values die with the tank: nothing is written back, and the files
    // go even when the last write would have failed.
    m_file.Drop();
    m_open = false;
    try {
        if (!m_prevPath.IsEmpty())
            RemoveFile(m_prevPath, true);
        if (!m_filePath.IsEmpty())
            RemoveFile(m_filePath, true);
    } catch (...) {
        // A report that failed must not escape a destructor.
    }
}

template <class T> std::unique_ptr<T[]> CCacheDataTank<T>::AllocateBuffer(int64_t wanted, int64_t& got)
{
    int64_t n = std::min<int64_t>(std::max<int64_t>(wanted, 0), int64_t(kMaxWindowBytes / sizeof(T)));
    while (n > 0) {
        try {
            fw::AllocLimit::Check(size_t(n) * sizeof(T));
            auto buffer = std::make_unique_for_overwrite<T[]>(size_t(n));
            got = n;
            return buffer;
        } catch (const std::bad_alloc&) {
            n >>= 1;
        }
    }
    got = 0;
    return nullptr;
}

// --- the file ----------------------------------------------------------------

template <class T> bool CCacheDataTank<T>::RemoveFile(const fw::CString& path, bool report)
{
    if (path == m_file.GetPath())
        m_file.Drop();
    try {
        fw::CFile::Remove(path);
        return true;
    } catch (const fw::CFileException& e) {
        if (e.m_cause == fw::CFileException::fileNotFound)
            return true; // nothing left to delete
        if (report)
            ReportCacheFileError(e);
        return false;
    }
}

template <class T> bool CCacheDataTank<T>::OpenRaw()
{
    if (m_open)
        return true;
    if (m_filePath.IsEmpty())
        return false; // no file yet: the owner has not created one
    m_file.SetPath(m_filePath);
    fw::CFileException err;
    if (!m_file.Open(err)) {
        ReportCacheFileError(err);
        return false;
    }
    m_open = true;
    return true;
}

// The descriptor stays in the shared set, which closes it when another file
// needs the room: values are written at once, so nothing waits in it.
template <class T> bool CCacheDataTank<T>::CloseRaw()
{
    m_open = false;
    return true;
}

template <class T> template <class Work> bool CCacheDataTank<T>::ReportingFileErrors(Work&& work)
{
    try {
        work();
        return true;
    } catch (const fw::CFileException& e) {
        ReportCacheFileError(e);
        return false;
    }
}

template <class T> template <class Work> bool CCacheDataTank<T>::OnRawFile(Work&& work)
{
    const bool wasOpen = m_open;
    if (!OpenRaw())
        return false;
    bool ok = ReportingFileErrors(work);
    if (!wasOpen)
        ok = CloseRaw() && ok;
    return ok;
}

template <class T> void CCacheDataTank<T>::ReadAt(int64_t index, T* dest, int64_t count)
{
    // Values of the unwritten fill tail are markers, whatever the file holds.
    const int64_t fromFile = std::clamp<int64_t>(m_fillFrom - index, 0, count);
    const size_t bytes = size_t(fromFile) * sizeof(T);
    if (bytes != 0 && m_file.ReadAt(uint64_t(index) * sizeof(T), dest, bytes) != bytes)
        throw fw::CFileException(fw::CFileException::endOfFile, -1, m_filePath);
    std::fill(dest + fromFile, dest + count, this->m_fillMarker);
}

template <class T> void CCacheDataTank<T>::WriteAt(int64_t index, const T* src, int64_t count)
{
    if (m_fillFrom < index + count) {
        // The markers before the written values become real; those after
        // them stay a tail.
        if (m_fillFrom < index)
            WriteFillNow(m_fillFrom, index);
        m_fillFrom = index + count >= m_storeCount ? kNoFillTail : index + count;
    }
    m_file.WriteAt(uint64_t(index) * sizeof(T), src, size_t(count) * sizeof(T));
}

template <class T> bool CCacheDataTank<T>::SetFileLength(int64_t count)
{
    return OnRawFile([&] {
        // A grown file reads as it always did beyond the old end, so the
        // tail is written before it moves.
        if (count > m_storeCount)
            WriteFillTail();
        m_file.SetLength(uint64_t(count) * sizeof(T));
        m_storeCount = count;
        if (m_fillFrom >= count)
            m_fillFrom = kNoFillTail;
    });
}

template <class T> void CCacheDataTank<T>::WriteFillNow(int64_t start, int64_t end)
{
    if (start >= end)
        return;
    int64_t chunk = 0;
    auto buffer = AllocateBuffer(std::min<int64_t>(end - start, kMaxAccessWindow), chunk);
    if (!buffer)
        throw std::bad_alloc();
    std::fill(buffer.get(), buffer.get() + chunk, this->m_fillMarker);
    for (int64_t i = start; i < end; i += chunk)
        m_file.WriteAt(uint64_t(i) * sizeof(T), buffer.get(), size_t(std::min(chunk, end - i)) * sizeof(T));
}

template <class T> void CCacheDataTank<T>::WriteFillTail()
{
    if (m_fillFrom >= m_storeCount) {
        m_fillFrom = kNoFillTail;
        return;
    }
    // The file may end before the store (appends still in the window).
    const int64_t fileEnd = std::min<int64_t>(m_storeCount, int64_t(m_file.GetLength() / sizeof(T)));
    WriteFillNow(m_fillFrom, std::max(fileEnd, m_fillFrom));
    m_fillFrom = kNoFillTail;
}

template <class T> bool CCacheDataTank<T>::MaterializeFillTail()
{
    if (m_fillFrom == kNoFillTail)
        return true;
    return OnRawFile([&] { WriteFillTail(); });
}

template <class T> const fw::CString& CCacheDataTank<T>::GetFilePath() const
{
    // Tanks are never made const; the path is handed out as a view of the
    // values, so the tail they hold is written first.
    if (m_fillFrom != kNoFillTail)
        const_cast<CCacheDataTank*>(this)->MaterializeFillTail();
    return m_filePath;
}

template <class T> bool CCacheDataTank<T>::WriteFill(int64_t start, int64_t end)
{
    if (start >= end)
        return true;
    if (end >= m_storeCount) {
        m_fillFrom = std::min(m_fillFrom, start);
        return true;
    }
    try {
        return OnRawFile([&] { WriteFillNow(start, end); });
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return false;
    }
}

template <class T> void CCacheDataTank<T>::DiscardFiles()
{
    m_file.Drop();
    m_open = false;
    if (!m_prevPath.IsEmpty())
        RemoveFile(m_prevPath, false);
    if (!m_filePath.IsEmpty())
        RemoveFile(m_filePath, false);
    m_prevPath.Empty();
    m_filePath.Empty();
    DropWindow();
    m_storeCount = 0;
    m_fillFrom = kNoFillTail;
}

template <class T> uint64_t CCacheDataTank<T>::FileLength(const fw::CString& path) const
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path.str(), ec);
    return ec ? 0 : uint64_t(size);
}

template <class T> bool CCacheDataTank<T>::CreateTempFile()
{
    fw::CString path;
    fw::CFileException err;
    // A name that cannot be made (a full or missing folder, no descriptor
    // left) is told, or the caller's tank would silently hold nothing.
    if (!CCacheFile::CreateUnique(GetTempFolder(), kTempPrefix, path, err)) {
        ReportCacheFileError(err);
        return false;
    }
    m_filePath = path;
    m_file.SetPath(path);
    if (!m_file.Open(err)) {
        ReportCacheFileError(err);
        RemoveFile(path, false);
        m_filePath.Empty();
        return false;
    }
    m_open = true;
    return true;
}

template <class T> bool CCacheDataTank<T>::CreateCacheFile()
{
    if (!m_filePath.IsEmpty() || !m_prevPath.IsEmpty()) {
        // A second file would otherwise be left behind unowned.
        m_file.Drop();
        m_open = false;
        if (!m_prevPath.IsEmpty())
            RemoveFile(m_prevPath, true);
        if (!m_filePath.IsEmpty())
            RemoveFile(m_filePath, true);
        m_prevPath.Empty();
        m_filePath.Empty();
    }
    DropWindow();
    m_storeCount = 0;
    m_fillFrom = kNoFillTail;
    return CreateTempFile();
}

template <class T> bool CCacheDataTank<T>::OpenCacheFile() { return OpenRaw(); }

template <class T> bool CCacheDataTank<T>::CloseCacheFile()
{
    if (!m_open)
        return true;
    const bool flushed = FlushWindow();
    return CloseRaw() && flushed;
}

template <class T> bool CCacheDataTank<T>::OpenIfClosed(bool& wasOpen)
{
    wasOpen = m_open;
    return m_open || OpenCacheFile();
}

template <class T> bool CCacheDataTank<T>::CloseIfOpened(bool wasOpen)
{
    return wasOpen || CloseCacheFile();
}

// --- the window ----------------------------------------------------------------

template <class T> void CCacheDataTank<T>::DropWindow()
{
    std::vector<T>().swap(this->m_values);
    m_winStart = 0;
    m_winEnd = -1;
    m_dirty = false;
}

template <class T> void CCacheDataTank<T>::ReleaseWindow()
{
    // A window that could not be written back stays, so that its values
    // are not lost.
    if (FlushWindow())
        DropWindow();
}

template <class T> T* CCacheDataTank<T>::GetWindowBuffer() { return this->m_values.data(); }
template <class T> int CCacheDataTank<T>::GetWindowSize() const { return std::max(m_winEnd - m_winStart + 1, 0); }
template <class T> int CCacheDataTank<T>::GetWindowBytes() const { return GetWindowSize() * kUnitSize; }
template <class T> void CCacheDataTank<T>::SetDirty(bool dirty) { m_dirty = dirty; }
template <class T> void CCacheDataTank<T>::SetWindowPlacement(int placement) { m_placement = placement; }
template <class T> int CCacheDataTank<T>::GetWindowLength() const { return m_windowLength; }

template <class T> int CCacheDataTank<T>::SetWindowLength(int length)
{
    const int old = m_windowLength;
    m_windowLength = std::max(length, 0);
    return old;
}

template <class T> void CCacheDataTank<T>::SetStorageMode(int mode)
{
    if (mode >= kCacheStoreRaw && mode <= kCacheStoreLength)
        m_storageMode = mode;
}

template <class T> bool CCacheDataTank<T>::FlushWindow()
{
    if (!m_dirty)
        return true;
    const int n = GetWindowSize();
    if (n == 0) {
        m_dirty = false;
        return true;
    }
    return OnRawFile([&] {
        WriteAt(m_winStart, this->m_values.data(), n);
        m_dirty = false;
    });
}

template <class T> bool CCacheDataTank<T>::ReadWindow()
{
    const int n = GetWindowSize();
    if (n == 0) {
        m_dirty = false;
        return true;
    }
    return OnRawFile([&] {
        ReadAt(m_winStart, this->m_values.data(), n);
        m_dirty = false;
    });
}

template <class T> int CCacheDataTank<T>::LoadWindow(int start, int count, int placement, bool read)
{
    const int64_t total = GetArraySize();
    if (!FlushWindow())
        return 0;
    int64_t n = count;
    if (n == 0) {
        n = m_windowLength;
        if (n == 0 || n > total)
            n = total;
    }
    // A placement of no known kind would leave the bounds undefined.
    if (placement < kWindowFromIndex || placement > kWindowToIndex)
        placement = kWindowFromIndex;
    const int64_t s = start;
    switch (placement) {
    case kWindowFromIndex:
        n = s < 0 ? -1 : std::min(s + n, total) - s;
        break;
    case kWindowAroundIndex: {
        const int64_t first = std::max<int64_t>(0, s - (n >> 1));
        n = std::min(first + n, total) - first;
        break;
    }
    default:
        if (s >= total)
            n = -1;
        else if (s - n + 1 < 0)
            n = s + 1;
        break;
    }
    if (n <= 0) {
        DropWindow();
        return static_cast<int>(n);
    }

    if (this->m_values.size() != size_t(n)) {
        DropWindow();
        for (;;) {
            try {
                if (size_t(n) * sizeof(T) > kMaxWindowBytes)
                    throw std::bad_alloc();
                fw::AllocLimit::Check(size_t(n) * sizeof(T));
                this->m_values.resize(size_t(n));
                break;
            } catch (const std::bad_alloc&) {
                n >>= 1;
                if (n == 0) {
                    fw::AfxMessageBox(fw::kIdpOutOfMemory);
                    DropWindow();
                    return -1;
                }
            }
        }
    }
    m_dirty = false;

    int64_t first;
    switch (placement) {
    case kWindowFromIndex:
        first = s;
        break;
    case kWindowAroundIndex:
        first = s - (n >> 1);
        if (first < 0)
            first = 0;
        else if (first + n > total)
            first = total - n;
        break;
    default:
        first = s - n + 1;
        break;
    }
    m_winStart = static_cast<int32_t>(first);
    m_winEnd = static_cast<int32_t>(first + n - 1);
    if (read && !ReadWindow()) {
        DropWindow();
        return -1;
    }
    return static_cast<int>(n);
}

template <class T> bool CCacheDataTank<T>::WindowCanGrowTo(int64_t n) const
{
    if (m_winEnd < m_winStart || m_winEnd != m_storeCount - 1 || n <= m_storeCount)
        return false;
    const int64_t size = n - m_winStart;
    return size <= std::max<int64_t>(m_windowLength, kAppendWindow) && size_t(size) * sizeof(T) <= kMaxWindowBytes;
}

template <class T> bool CCacheDataTank<T>::EnsureLoaded(int index)
{
    if (index >= m_winStart && index <= m_winEnd)
        return true;
    bool wasOpen = false;
    if (!OpenIfClosed(wasOpen))
        return false;
    const int loaded = LoadWindow(index, m_windowLength, m_placement, true);
    const bool closed = CloseIfOpened(wasOpen);
    return loaded >= 0 && closed;
}

template <class T> bool CCacheDataTank<T>::ReadValues(int64_t index, int count, T* dest)
{
    if (index < 0 || count < 0 || index + count > m_storeCount)
        return false;
    if (count == 0)
        return true;
    if (!FlushWindow())
        return false;
    return OnRawFile([&] { ReadAt(index, dest, count); });
}

template <class T> bool CCacheDataTank<T>::WriteValues(int64_t index, int count, const T* src)
{
    if (index < 0 || count < 0 || index + count > m_storeCount)
        return false;
    if (count == 0)
        return true;
    const int64_t ws = std::max<int64_t>(index, m_winStart);
    const int64_t we = std::min<int64_t>(index + count, int64_t(m_winEnd) + 1);
    if (ws < we)
        std::copy(src + (ws - index), src + (we - index), this->m_values.begin() + (ws - m_winStart));
    return OnRawFile([&] { WriteAt(index, src, count); });
}

// --- values ------------------------------------------------------------------------

template <class T> bool CCacheDataTank<T>::GetAt(int index, T& out)
{
    if ((index < m_winStart || index > m_winEnd) && m_pinned > 0) {
        // An accessor points into the window: read around it.
        if (!ReadValues(index, 1, &out))
            fw::ThrowInvalidArgException();
        return true;
    }
    EnsureLoaded(index);
    if (index < m_winStart || index > m_winEnd)
        fw::ThrowInvalidArgException();
    out = this->m_values[size_t(index - m_winStart)];
    return true;
}

template <class T> bool CCacheDataTank<T>::SetAt(int index, T value)
{
    if ((index < m_winStart || index > m_winEnd) && m_pinned > 0) {
        if (index < 0 || index >= m_storeCount)
            fw::ThrowInvalidArgException();
        return OnRawFile([&] { WriteAt(index, &value, 1); });
    }
    EnsureLoaded(index);
    if (index < m_winStart || index > m_winEnd)
        fw::ThrowInvalidArgException();
    this->m_values[size_t(index - m_winStart)] = value;
    m_dirty = true;
    return true;
}

template <class T> int CCacheDataTank<T>::GetArraySize()
{
    // While a compressed copy is current, its length counts.
    if (!m_prevPath.IsEmpty())
        return static_cast<int>(FileLength(m_filePath) / sizeof(T));
    return static_cast<int>(m_storeCount);
}

template <class T> bool CCacheDataTank<T>::ResizeArray(int n)
{
    const int64_t count = std::max(n, 0);
    if (count == m_storeCount)
        return true;
    if (count > m_storeCount) {
        if (WindowCanGrowTo(count)) {
            // Appends: a window that ends at the end of the store grows with
            // it, and the file follows when the window is written back.
            try {
                fw::AllocLimit::Check(size_t(count - m_winStart) * sizeof(T));
                this->m_values.resize(size_t(count - m_winStart));
                m_winEnd = static_cast<int32_t>(count - 1);
                m_dirty = true;
                m_storeCount = count;
                return true;
            } catch (const std::bad_alloc&) {
                // the file grows instead
            }
        }
        return SetFileLength(count);
    }
    // Shrinking: the window keeps what lies below the new end.
    if (m_winEnd >= count && m_winEnd >= m_winStart) {
        if (m_winStart >= count) {
            DropWindow();
        } else {
            this->m_values.resize(size_t(count - m_winStart));
            m_winEnd = static_cast<int32_t>(count - 1);
        }
    }
    return SetFileLength(count);
}

template <class T> bool CCacheDataTank<T>::Grow(int n, bool fill)
{
    if (n <= 0)
        return false;
    const int old = this->GetDataCount();
    if (old < n) {
        // Unlike the array tanks, the store can fail to grow (a full disk).
        if (!ResizeArray(n))
            return false;
        if (fill && !FillRange(old, n - old))
            return false;
        this->SetDataCount(n);
    }
    return true;
}

template <class T> void CCacheDataTank<T>::Clear()
{
    CDataTank<T>::Clear();
    DropWindow();
    if (!m_filePath.IsEmpty() && m_prevPath.IsEmpty())
        SetFileLength(0);
    m_storeCount = 0;
}

template <class T> bool CCacheDataTank<T>::SetValue(int index, double value)
{
    const bool inReach = (index >= m_winStart && index <= m_winEnd) || WindowCanGrowTo(int64_t(index) + 1);
    if (inReach)
        return CDataTank<T>::SetValue(index, value);
    // Growing, filling and loading would each open the file again.
    bool wasOpen = false;
    if (!OpenIfClosed(wasOpen))
        return false;
    const bool ok = CDataTank<T>::SetValue(index, value);
    const bool closed = CloseIfOpened(wasOpen);
    return ok && closed;
}

template <class T> bool CCacheDataTank<T>::FillRange(int start, int count)
{
    if (start < 0)
        return false;
    // Only values that exist are filled, as in the array tanks.
    const int64_t end = std::min<int64_t>(int64_t(start) + std::max(count, 0), m_storeCount);
    if (start >= end)
        return true;
    const int64_t ws = std::max<int64_t>(start, m_winStart);
    const int64_t we = std::min<int64_t>(end, int64_t(m_winEnd) + 1);
    if (ws >= we)
        return WriteFill(start, end);
    std::fill(this->m_values.begin() + (ws - m_winStart), this->m_values.begin() + (we - m_winStart),
              this->m_fillMarker);
    m_dirty = true;
    const bool before = WriteFill(start, ws);
    const bool after = WriteFill(we, end);
    return before && after;
}

template <class T> bool CCacheDataTank<T>::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    if (src == this)
        return MoveRange(srcStart, count, dstStart);
    return CDataTank<T>::CopyRange(srcStart, count, src, dstStart);
}

template <class T> bool CCacheDataTank<T>::MoveRange(int source, int count, int destination)
{
    if (source < 0 || count <= 0 || destination < 0 || int64_t(destination) + count > INT32_MAX ||
        !this->HasHeader() || !Grow(destination + count, true))
        return false;
    const int64_t n = std::min<int64_t>(count, m_storeCount - source);
    if (n <= 0)
        return false;
    if (source == destination)
        return true;
    if (!FlushWindow())
        return false;
    int64_t chunk = 0;
    auto buffer = AllocateBuffer(n, chunk);
    if (!buffer) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return false;
    }
    const bool wasOpen = m_open;
    if (!OpenRaw())
        return false;
    bool ok = ReportingFileErrors([&] {
        if (destination > source) {
            // Back to front, so that an overlapping move reads every value
            // before it is overwritten.
            for (int64_t left = n; left > 0;) {
                const int64_t k = std::min(chunk, left);
                left -= k;
                ReadAt(source + left, buffer.get(), k);
                WriteAt(destination + left, buffer.get(), k);
            }
        } else {
            for (int64_t done = 0; done < n;) {
                const int64_t k = std::min(chunk, n - done);
                ReadAt(source + done, buffer.get(), k);
                WriteAt(destination + done, buffer.get(), k);
                done += k;
            }
        }
    });
    // The window's values may have moved under it.
    if (m_pinned > 0)
        ok = ReadWindow() && ok;
    else
        DropWindow();
    if (!wasOpen)
        ok = CloseRaw() && ok;
    return ok;
}

// --- accessors ------------------------------------------------------------------------

template <class T> CZELDataPoter* CCacheDataTank<T>::CreatePoter(int start, int count)
{
    using Access = CacheAccessOf<T>;
    const int n = GetArraySize();
    if (start < 0 || n <= 0 || start >= n)
        return nullptr;
    if (count < 0 || count > n - start)
        count = n - start;
    const bool inWindow = start >= m_winStart && int64_t(start) + count - 1 <= m_winEnd;
    if (count > kMaxAccessWindow || (m_pinned > 0 && !inWindow)) {
        // Long runs, and runs beside a window an accessor still points
        // into, are read through the tank.
        auto* poter = new typename Access::CachePoter;
        poter->Init(Access::CacheCursor(), nullptr, start, count, this);
        poter->SetEmptyMarker(this->m_emptyMarker);
        return poter;
    }
    if (!inWindow) {
        const int loaded = LoadWindow(start, count, kWindowFromIndex, true);
        if (loaded < count) {
            ReleaseWindow();
            // At -1 and 0 the window has already told why.
            if (loaded > 0)
                fw::AfxMessageBox(fw::kIdpOutOfMemory);
            return nullptr;
        }
    }
    auto* poter = new typename Access::ArrayPoter;
    poter->Init(Access::ArrayCursor(), this->m_values.data() + (start - m_winStart), start, count, this);
    poter->SetEmptyMarker(this->m_emptyMarker);
    ++m_pinned;
    return poter;
}

template <class T> void CCacheDataTank<T>::EndAccess()
{
    if (m_pinned > 0)
        --m_pinned;
    if (m_pinned == 0)
        ReleaseWindow();
}

template class CCacheDataTank<float>;
template class CCacheDataTank<double>;
template class CCacheDataTank<int32_t>;
template class CCacheDataTank<uint32_t>;
