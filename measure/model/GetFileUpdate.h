#pragma once

// Recorded waveform files that lie in a PC folder: card files copied there,
// each a ".HED" keyword header beside a ".DAT" of rows with the same name
// (found without regard to case). Prepare builds a temporary measuring
// system from the headers; each box then reads its ".DAT" chunk by chunk.
// Two objects serve one run: the worker reads the next chunk into the
// first while the interface thread stores the previous one from the
// second's copy.

#include "framework/core/File.h"
#include "measure/model/CFUpdate.h"

#include <memory>
#include <vector>

class CGetFileUpdate : public CCFUpdate {
public:
    explicit CGetFileUpdate(ITransferHost& host);
    ~CGetFileUpdate() override;

    void SetUseFileFormat(bool use) { m_useFileFormat = use; }
    bool GetUseFileFormat() const { return m_useFileFormat; }

    bool Prepare() override;
    bool OpenItem() override;
    void GetCaption(fw::CString& text) const override;
    bool TransferChunk() override;
    void StoreChunk(unsigned position) override;
    void Finish() override;
    bool HasUnit463() const override;

    // The path of `name` + `extension` with the file-name part matched
    // without regard to case; the exact path when nothing matches.
    static fw::CString FindRecordedFile(const fw::CString& name, const char* extension);

protected:
    // The temporary measuring system from the folder's headers; false after
    // a message (555 with the ".HED" path, or the framework's report).
    bool RebuildFromHeaders();
    // The header of `entry`: exactly its header size, and a valid waveform
    // header, else the program's exception with message 555.
    fw::CString ReadFolderHeader(const CKiv406FileInfo& entry, fw::CString& path);

    fw::CFile m_dataFile;
    bool m_useFileFormat = true;
};
