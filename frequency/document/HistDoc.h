#pragma once

// The document of one frequency record: the analyses the instrument made
// during one recording, the record's start and stop time, its test title
// and card file name, and the layouts of its three table views. It is
// saved as a frequency-data file (".kivh").

#include "docbase/doc/KivDocBase.h"
#include "frequency/document/HistDataBoxArray.h"
#include "frequency/model/HistCountObj.h"
#include "framework/core/DateTime.h"

#include <array>
#include <cstdint>
#include <memory>

class CHistCountArray;
class CZELGridStyle;
struct CHistOutParam;

namespace fw {
class CFile;
}

// The record's times as the file holds them, and the switch of a reader
// that needs no more than them.
class CMMAHistHeader {
public:
    virtual ~CMMAHistHeader() = default;

    tHistTime m_start{};
    tHistTime m_stop{};
    uint8_t m_headerOnly = 0;
};

class CHistDoc : public CKivDocBase {
    FW_DECLARE_DYNCREATE(CHistDoc)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdOutput8025Csv = 33194;
    static constexpr const char* kMagic = "KivHistDocmect";
    static constexpr size_t kMagicBytes = 14;
    static constexpr int32_t kVersion = 3;
    static constexpr const char* kHeaderTag = "<KIVDATAHEAD2>";
    static constexpr size_t kHeaderTagBytes = 14;
    // Magic, version, tag and title: what a title rewrite touches.
    static constexpr size_t kTitleOffset = kMagicBytes + 4 + kHeaderTagBytes;
    static constexpr size_t kHeadBytes = kTitleOffset + kMaxTestTitleBytes;
    static constexpr const char* kExtension = ".kivh";
    static constexpr int kLayoutCount = 3;
    static constexpr int kInputLayoutColumns = 13;

    CHistDoc();
    ~CHistDoc() override;

    bool OnNewDocument() override;
    bool CreateNewContents() override;
    void DeleteContents() override;
    void OnDocumentLoaded() override;
    void Serialize(fw::CArchive& ar) override;
    void SendUpdateHint(fw::CObject* sender, int first, int last, int32_t flags) override;

    // Fills the document with a record's analyses (taking `analyses`) and,
    // when `folder` is given, saves it there as a new file named `name` or
    // after the record start ("H%y%m%d%H%M%S"), with "_1", "_2" ... when
    // taken. False when the folder cannot be made or the save fails.
    bool CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                    CHistCountArray* analyses, const fw::CString& cardFileName);
    // Rewrites the test title inside an open frequency-data file. A file of
    // another kind or a newer version is told to the user and aborts with
    // the framework's user exception.
    static void ReplaceTitleInFile(fw::CFile& file, const fw::CString& title);

    // Invalid status for a time off the calendar.
    fw::COleDateTime GetStartTime() const;
    fw::COleDateTime GetStopTime() const;

    CHistCountArray* GetHistCountArray() const { return m_boxArray.GetHistCountArray(); }
    CHistDataBoxArray& GetBoxArray() { return m_boxArray; }
    CMMAHistHeader& GetHeader() { return m_header; }
    const fw::CString& GetCardFileName() const { return m_cardFileName; }
    // Null after DeleteContents.
    CZELGridStyle* GetLayout(int index) const;

    // The VO-8025 CSV file of the analyses; false when it could not be
    // written (the user was told why).
    bool Write8025CsvFile(const fw::CString& path, const CHistOutParam& options);
    // Command 33194: the blocks and analyses, then the file name, then the
    // file.
    void OnFileOutput8025Csv();

private:
    void CreateDefaultLayouts();
    void SetLayoutRows();
    void StoreFile(fw::CArchive& ar);
    void LoadFile(fw::CArchive& ar);

    CMMAHistHeader m_header;
    fw::CString m_cardFileName;
    CHistDataBoxArray m_boxArray;
    std::array<std::unique_ptr<CZELGridStyle>, kLayoutCount> m_layouts;
};
