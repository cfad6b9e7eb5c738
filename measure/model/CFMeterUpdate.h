#pragma once

// Recorded samples read through the link of each box's control unit. The
// unit-memory transfer asks for the rows with "ADR" and "BDT"; the worker
// writes each chunk to a temporary file, from which the interface thread
// reads the rows reported so far through a second handle, so the worker
// can run ahead of the store without holding rows in memory.

#include "framework/core/File.h"
#include "measure/model/CFUpdate.h"

#include <atomic>
#include <cstdint>
#include <vector>

class CCFMeterUpdate : public CCFUpdate {
public:
    // Prefix of the temporary files; the start-up clean-up removes what a
    // crashed run left ("~WW*.tmp").
    static constexpr const char* kTempPrefix = "~WW";

    explicit CCFMeterUpdate(ITransferHost& host);
    ~CCFMeterUpdate() override;

    // Makes the temporary file and opens both handles, unless done; false
    // when that fails (reported when a handle does not open).
    bool CreateTempFile();
    const fw::CString& GetTempPath() const { return m_tempPath; }

    bool Prepare() override;
    bool OpenItem() override;
    void GetCaption(fw::CString& text) const override;
    unsigned GetPosition() const override { return m_transferred.load(); }
    bool TransferChunk() override;
    void StoreChunk(unsigned position) override;
    void Finish() override;
    bool HasUnit463() const override { return false; }

    unsigned GetChunkRows() const { return m_chunkRows; }

protected:
    // Both handles back to the start of the file, so every item starts it
    // over.
    void RewindTempFile();
    // Writes `bytes` of the data buffer to the temporary file, advances the
    // transferred rows; false once the item is complete.
    bool WriteChunk(size_t bytes);
    void CloseTempFile();

    std::atomic<unsigned> m_transferred{0};
    unsigned m_chunkRows = 0;
    ByteBuffer m_readBuffer;
    fw::CFile m_writeFile;
    fw::CFile m_readFile;
    fw::CString m_tempPath;
};
