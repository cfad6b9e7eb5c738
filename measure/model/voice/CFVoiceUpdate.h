#pragma once

// Copies the voice recordings chosen on the control units' cards into the
// project's data folder: one file at a time, asked of its control unit
// ("DAT<name>.wav") and written in blocks of at most 64 KiB, filed under
// the measurement whose span holds its recording time (or "VOICE"), then
// copied into every further measurement that holds it, and listed.
//
// Each entry of the per-unit lists names the card file (m_name, without
// extension), its bytes (m_dataSize) and its recording time
// (m_firstSampleTime).

#include "measure/model/CFUpdate.h"

#include <fstream>
#include <vector>

struct IVoiceCopyTarget;

class CCFVoiceUpdate : public CCFUpdate {
public:
    static constexpr int kBlockBytes = 65536;

    CCFVoiceUpdate(ITransferHost& host, IVoiceCopyTarget& target);
    ~CCFVoiceUpdate() override;

    // The first unit with chosen files and its first file; false when no
    // unit has any or the first file cannot be opened.
    bool Prepare() override;
    bool NextChunk() override;
    // Creates the target file and asks the unit for the card file.
    bool OpenItem() override;
    // The next file of this unit or of the next unit with files.
    bool NextItem() override;
    // "<card file name>を更新中".
    void GetCaption(fw::CString& text) const override;
    unsigned GetPosition() const override { return m_done; }
    unsigned GetEnd() const override { return m_total; }
    bool TransferChunk() override;
    void Finish() override;
    bool HasUnit463() const override { return false; }

    // The ordinal of the current file among the files of every unit (1 on);
    // the number of them.
    int GetOrdinal() const;
    int GetFileCount() const;
    const fw::CString& GetTargetPath() const { return m_targetPath; }
    const fw::CString& GetSubFolder() const { return m_subFolder; }
    const fw::CString& GetFileTitle() const { return m_fileTitle; }
    bool IsNewItem() const { return m_firstChunk; }

private:
    const std::vector<CKiv406FileInfo>* ListOf(int box) const;
    bool SendRequest();

    IVoiceCopyTarget& m_target;
    int m_item = 0;
    int m_step = -1;
    unsigned m_done = 0;
    unsigned m_chunk = 0;
    fw::CString m_dataFolder;
    fw::CString m_targetPath;
    fw::CString m_subFolder;
    fw::CString m_fileTitle;
    std::ofstream m_out;
    std::vector<uint8_t> m_block;
};
