#pragma once

// The common base of the recorded-data transfers. One transfer object
// moves one recorded file set (the entry at the same position in every
// control unit's list of chosen files) into the channel tanks, box by box
// and chunk by chunk. Each chunk is split over two threads:
// TransferChunk (worker) moves the next chunk from the instrument or a file
// into a buffer or temporary file, StoreChunk (interface thread) writes the
// rows that arrived into the tanks. Failures never leave TransferChunk as
// exceptions: they become the error text and the result false.

#include "framework/core/CString.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/system/BoxArray.h"
#include "measure/model/ByteBuffer.h"
#include "measure/model/TransferHost.h"

#include <cstdint>
#include <exception>
#include <mutex>
#include <vector>

class CKivMeter;

class CCFUpdate {
public:
    using FileLists = CBoxArray::FileVectors;

    // Window messages of the progress reports, one per kind of transfer.
    static constexpr unsigned kMsgMemoryProgress = 0x8005;  // WM_APP+5
    static constexpr unsigned kMsgFolderChunk = 0x800A;     // WM_APP+10
    static constexpr unsigned kMsgGpsProgress = 0x800B;
    static constexpr unsigned kMsgGpsFileChunk = 0x800C;
    static constexpr unsigned kMsgCanProgress = 0x800D;
    static constexpr unsigned kMsgCanFileChunk = 0x800E;

    // A chunk stays within 64 KiB so that a report and a store follow
    // every chunk quickly; its rows are a multiple of 64.
    static constexpr int kChunkBytes = 65536;
    static constexpr int kChunkRowStep = 64;
    static constexpr size_t kMaxErrorBytes = 255;

    static constexpr unsigned kIdsUpdating = 516;   // "%sを更新中"
    static constexpr unsigned kIdsCannotRead = 555; // "%s\nを読み込めませんでした。"

    explicit CCFUpdate(ITransferHost& host);
    virtual ~CCFUpdate();
    CCFUpdate(const CCFUpdate&) = delete;
    CCFUpdate& operator=(const CCFUpdate&) = delete;

    virtual bool Prepare();
    virtual bool NextChunk();
    virtual bool OpenItem();
    virtual bool NextItem();
    virtual void GetCaption(fw::CString& text) const;
    virtual unsigned GetPosition() const;
    virtual bool TransferChunk();
    virtual void StoreChunk(unsigned position);
    virtual void Finish();
    virtual bool HasUnit463() const;
    // The position at which the worker's reports end the item: the rows
    // of the item, or the bytes of a GPS or CAN memory file.
    virtual unsigned GetEnd() const { return m_total; }
    // What a second object of the same kind needs of the first besides
    // the progress (the GPS slopes, the CAN message list).
    virtual void CopyKindFrom(const CCFUpdate& other) {}

    bool HasMoreBoxes() const;
    CBoxArray& GetBoxArray() const;
    // Which 16-bit words of a recorded row the project keeps, and the
    // recorded row's bytes, from the box's recorded header.
    void BuildChannelSelection(int box, const char* header);
    // Compacts `rows` recorded rows at the front of the data buffer to the
    // words the selection keeps.
    void SelectChannels(int box, unsigned rows);
    void CopyProgressFrom(const CCFUpdate& other);

    // Rows of one chunk for rows of `rowBytes`: 64 KiB worth, a multiple of
    // 64; 0 for a row of no bytes.
    static unsigned ChunkRowsFor(int rowBytes);

    void SetFileLists(const FileLists* lists) { m_fileLists = lists; }
    void SetFileIndex(int index) { m_fileIndex = index; }
    int GetFileIndex() const { return m_fileIndex; }
    void SetAskOnError(bool ask) { m_askOnError = ask; }
    bool GetAskOnError() const { return m_askOnError; }
    const fw::CString& GetErrorText() const { return m_error; }
    void ClearErrorText() { m_error.Empty(); }
    unsigned GetMessageId() const { return m_messageId; }
    std::mutex& GetMutex() { return m_mutex; }
    bool IsFirstChunk() const { return m_firstChunk; }
    void ClearFirstChunk() { m_firstChunk = false; }
    int GetBoxIndex() const { return m_box; }
    int GetRowBytes() const { return m_rowBytes; }
    unsigned GetTotal() const { return m_total; }
    unsigned GetStoredPosition() const { return m_stored; }
    unsigned GetCount() const { return m_count; }
    const CKiv406FileInfo& GetCurrentFile() const { return m_file; }
    void SetCurrentFile(const CKiv406FileInfo& file) { m_file = file; }
    const ByteBuffer& GetData() const { return m_data; }
    const std::vector<int16_t>& GetSelection(int box) const;
    int GetFileRowBytes(int box) const;

protected:
    // The box's entry at the file index; out of range: std::out_of_range.
    const CKiv406FileInfo& EntryOf(int box) const;
    int FileListCount() const;
    CKivMeter& MeterOf(int box) const;
    // The selections and recorded row sizes for `boxes` boxes, emptied.
    void SizeSelections(int boxes);
    // The exception's own message, at most 255 bytes, as the error text.
    void SetErrorFrom(const std::exception& e);
    void SetErrorText(const fw::CString& text);
    static fw::CString CannotReadText(const fw::CString& path);
    static fw::CString UpdatingText(const fw::CString& name);

    ITransferHost& m_host;
    const FileLists* m_fileLists = nullptr;  // not owned
    int m_fileIndex = 0;
    fw::CString m_error;
    bool m_firstChunk = true;
    std::mutex m_mutex;
    int m_box = 0;
    int m_rowBytes = 0;
    unsigned m_total = 0;
    unsigned m_messageId = kMsgMemoryProgress;
    CKiv406FileInfo m_file;
    ByteBuffer m_data;
    unsigned m_stored = 0;
    unsigned m_count = 0;
    std::vector<std::vector<int16_t>> m_selections;
    std::vector<int> m_fileRowBytes;
    bool m_askOnError = true;
};
