#pragma once

// A typed tank whose values live in a temporary file of their own
// ("~WW????.tmp" in the cache folder of its value type); only a window of
// consecutive values is held in memory, in the base's value array. Long
// recordings and calculated channels live here, so that a channel of many
// millions of values costs a file and a bounded buffer.
//
// The file holds value i at byte i * sizeof(T), raw little-endian, nothing
// else. A file is opened and closed as operations need it: an operation that
// opens it closes it again, so a closed file stays closed between calls.
//
// Window sizes are capped explicitly (kMaxWindowBytes, and fw::AllocLimit):
// on Linux a too large allocation does not fail but is killed later, so the
// "halve until it fits" rule needs a limit of its own.

#include "common/tank/DataTank.h"
#include "framework/core/CString.h"
#include "common/cache/CacheFile.h"
#include "framework/core/File.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace fw {
class CArchive;
}

// Storage modes of the value part of the archive form.
enum : int32_t {
    kCacheStoreRaw = 0,         // the values as they are
    kCacheStoreCompressed = 1,  // Huffman-coded
    kCacheStoreFill = 2,        // nothing; loading fills with the fill marker
    kCacheStoreLength = 3,      // nothing; loading only gives the file its length
};

// How a window is laid around a requested index.
enum : int32_t {
    kWindowFromIndex = 0,    // the index is the first value
    kWindowAroundIndex = 1,  // the index in the middle
    kWindowToIndex = 2,      // the index is the last value
};

template <class T> class CCacheDataTank : public CDataTank<T> {
public:
    // The largest window handed to accessors and cursors.
    static constexpr int kMaxAccessWindow = 0x100000;
    // No window or transfer buffer is larger, whatever memory would allow.
    static constexpr size_t kMaxWindowBytes = size_t{16} << 20;
    static constexpr int kDefaultWindowLength = 1000;
    // A window that ends at the end of the store grows with appends up to
    // this many values (or the window length, when larger) before it is
    // written back and a new one is started.
    static constexpr int kAppendWindow = 0x10000;
    static constexpr int kUnitSize = static_cast<int>(sizeof(T));

    CCacheDataTank();
    // Deletes the tank's files (and only its own).
    ~CCacheDataTank() override;

    // --- replaced operations of the typed tank ------------------------------------
    void Clear() override;
    bool Grow(int n, bool fill) override;
    CZELDataPoter* CreatePoter(int start, int count) override;
    void EndAccess() override;
    bool SetValue(int index, double value) override;
    bool FillRange(int start, int count) override;
    bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart) override;
    // Values in store: file length / unit size.
    int GetArraySize() override;
    // Sets the file length; new values are 0.
    bool ResizeArray(int n) override;
    bool GetAt(int index, T& out) override;
    bool SetAt(int index, T value) override;
    // Storage mode, count, values (raw or compressed).
    void SerializeValues(fw::CArchive& ar) override;

    // --- operations of the cache tank ----------------------------------------------
    // A new, empty temporary file (a file the tank had is deleted first).
    virtual bool CreateCacheFile();
    virtual bool OpenCacheFile();
    // Writes a changed window back and closes; true when it was not open.
    virtual bool CloseCacheFile();
    virtual void ReleaseWindow();
    // Makes the window hold up to count values around start (placement as
    // above); reads them when `read`. Answers the values in the window, 0
    // when the old window could not be written back, -1 on failure.
    virtual int LoadWindow(int start, int count, int placement, bool read);
    virtual T* GetWindowBuffer();
    virtual int GetWindowSize() const;
    virtual int GetWindowBytes() const;
    virtual void SetDirty(bool dirty);
    virtual bool FlushWindow();
    virtual bool ReadWindow();
    virtual void SetWindowPlacement(int placement);
    // Modes outside 0 to 3 are refused (the mode stays).
    virtual void SetStorageMode(int mode);
    // Answers the previous length.
    virtual int SetWindowLength(int length);
    virtual int GetWindowLength() const;
    // The value part for the tank's existing file (the per-channel files of
    // the measurement documents). Compressed exactly when the mode written
    // is 1, which `compress` or storage mode 1 choose.
    virtual void SerializeCacheFile(fw::CArchive& ar, bool compress);
    virtual bool OpenIfClosed(bool& wasOpen);
    virtual bool CloseIfOpened(bool wasOpen);
    virtual bool CreateTempFile();
    virtual bool EnsureLoaded(int index);
    // The tank's file coded into a new one, which becomes current; the raw
    // file stays as the previous path. On failure the tank keeps its raw file.
    virtual bool CompressFile();
    virtual bool DropCompressedFile();
    // The (compressed) file decoded into a new one, which becomes current;
    // the compressed file is deleted.
    virtual bool ExpandFile();
    // Copies values inside the tank; overlapping ranges are allowed.
    virtual bool MoveRange(int source, int count, int destination);

    // --- not virtual ---------------------------------------------------------------
    // count values from index into dest, unsaved window values included
    // (for the cursors, which keep copies of their own).
    bool ReadValues(int64_t index, int count, T* dest);
    // count values from index written straight to the file, past the
    // window (whose values in the range follow); the values must be in
    // store. For runs longer than any window.
    bool WriteValues(int64_t index, int count, const T* src);

    int GetStorageMode() const { return m_storageMode; }
    int GetWindowPlacement() const { return m_placement; }
    int GetWindowStart() const { return m_winStart; }
    int GetWindowEnd() const { return m_winEnd; }
    bool IsFileOpen() const { return m_open; }
    bool IsDirty() const { return m_dirty; }
    // The file, with every value written out (a filled tail included), for
    // callers that read or copy it by name.
    const fw::CString& GetFilePath() const;
    const fw::CString& GetPreviousPath() const { return m_prevPath; }

    // Folder of the temporary files of this value type (the system's
    // temporary folder until set).
    static void SetTempFolder(const fw::CString& folder);
    static fw::CString GetTempFolder();

    // A buffer of at most `wanted` values, halved while memory (or the
    // window cap) refuses; `got` is its length, 0 (and no buffer) when not
    // even one value fits.
    static std::unique_ptr<T[]> AllocateBuffer(int64_t wanted, int64_t& got);

protected:
    bool ValuesInMemory() const override { return false; }

    // The state: file paths, file and window.
    fw::CString m_filePath;
    fw::CString m_prevPath;
    CCacheFile m_file;
    int32_t m_winStart = 0;
    int32_t m_winEnd = -1;
    bool m_open = false;
    bool m_dirty = false;
    int32_t m_placement = kWindowAroundIndex;
    int32_t m_windowLength = kDefaultWindowLength;
    int32_t m_storageMode = kCacheStoreRaw;

private:
    // Values in store. Equal to the file length / unit size, except that a
    // window grown at the end of the store (appends) is ahead of the file
    // until it is written back.
    int64_t m_storeCount = 0;
    // Values from here to the end of store are the fill marker but not yet
    // written: a fill to the end (a tank loaded in fill mode, a grown tank)
    // costs nothing until values behind it are written, so a short archive
    // cannot make the disk take gigabytes of markers. kNoFillTail: none.
    static constexpr int64_t kNoFillTail = INT64_MAX;
    int64_t m_fillFrom = kNoFillTail;
    // Array accessors alive over the window: while any is, the window stays
    // where it is and other values are read and written around it.
    int m_pinned = 0;

    // Raw file access; the throwing helpers report nothing themselves.
    bool OpenRaw();
    bool CloseRaw();
    // Runs file work, reporting a file error as the result false.
    template <class Work> bool ReportingFileErrors(Work&& work);
    // The same on the open file, opened for the work and closed after it
    // when it was closed before.
    template <class Work> bool OnRawFile(Work&& work);
    void ReadAt(int64_t index, T* dest, int64_t count);
    void WriteAt(int64_t index, const T* src, int64_t count);
    bool SetFileLength(int64_t count);
    bool WriteFill(int64_t start, int64_t end);
    // Writes the markers of [start, end) to the open file now.
    void WriteFillNow(int64_t start, int64_t end);
    // Writes an unwritten fill tail out (the file must be open).
    void WriteFillTail();
    // The same, opening the file for it; false on a file error.
    bool MaterializeFillTail();
    bool WindowCanGrowTo(int64_t n) const;
    void DropWindow();
    bool RemoveFile(const fw::CString& path, bool report);
    // Deletes both files and leaves the tank without values (a failed load).
    void DiscardFiles();

    // The archive transfers (CacheTankArchive.cpp).
    void ShowStatus(unsigned id);
    void StoreValuePart(fw::CArchive& ar, int32_t mode, bool valuesInEveryMode);
    void CheckArchiveHolds(fw::CArchive& ar, int64_t count);
    void LoadValueArray(fw::CArchive& ar, int64_t count);
    void StoreFileBytes(fw::CArchive& ar, const fw::CString& path, uint64_t bytes);
    void StoreFillMarkers(fw::CArchive& ar, int64_t count);
    void SyncHeaderCount();
    // A fresh, closed temporary file to code `from` into, with `from` kept
    // as the previous file; on failure the tank is back on `from` alone.
    bool StartCodedCopy(const fw::CString& from);
    // The next `units` units of `ar`, a coded stream, expanded over the
    // values of the open file, which takes the expanded length (0 on a
    // failure, which has been shown).
    bool ExpandFromArchive(fw::CArchive& ar, int64_t units);
    // Count and coded values of the tank's file, coded straight into `ar`.
    void StoreCodedValues(fw::CArchive& ar);
    uint64_t FileLength(const fw::CString& path) const;
};

extern template class CCacheDataTank<float>;
extern template class CCacheDataTank<double>;
extern template class CCacheDataTank<int32_t>;
extern template class CCacheDataTank<uint32_t>;
