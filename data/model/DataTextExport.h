#pragma once

// The text layouts of measurement data read from a data-list view: a comma-
// or TAB-separated copy of the sheet, the LOB-5950 layout and the DADiSP
// keyword header with its ASCII data file; whole sheets are cut into files
// of at most the options' columns and rows.

#include "data/model/DataSheetSource.h"
#include "data/model/TextConvParam.h"

#include <string>

class CExportTextWriter;
class CKivDataDoc;

class CDataTextExport {
public:
    CDataTextExport(CKivDataDoc& doc, const IDataSheetSource& sheet) : m_doc(doc), m_sheet(sheet) {}

    void WriteCsvText(CExportTextWriter& out, bool csv, const tTextConvParam& options) const;
    void WriteLobText(CExportTextWriter& out, const tTextConvParam& options) const;
    // Writes the header, then creates the data file beside it (".DAT" for
    // ".hed"); false, after the report, when the data file cannot be made.
    bool WriteDadispText(CExportTextWriter& header, const fw::CString& headerPath,
                         const tTextConvParam& options) const;
    // False, after message, when the internal clock gives no interval (a
    // zero, negative or not-a-number clock) for the DADiSP layout.
    bool HasDadispInterval(bool report) const;
    // One file per block; false when writing failed (reported). Files that
    // cannot be created are reported and skipped.
    bool WriteSplitText(const fw::CString& path, const tTextConvParam& options) const;

    // "CH" number of an input channel below 100, "NO" number of a
    // calculated channel below 99 more than the first; 0 otherwise.
    static int ChannelDisplayNumber(int channel);
    // The name of block (g, i), counted from 0, of an export to `path`.
    static fw::CString SplitFileName(const fw::CString& path, int32_t format, int g, int i);
    // The data file of a DADiSP header path.
    static fw::CString DadispDataPath(const fw::CString& headerPath);

private:
    std::string CornerCells(int headerRow, char separator) const;
    std::string RowHeaderCells(int row, char separator) const;
    void AppendRowHeaderCells(std::string& line, int row, char separator) const;
    void WriteHeaderRow(CExportTextWriter& out, int headerRow, char separator, const tTextConvParam& options) const;
    void WriteDadispData(CExportTextWriter& out, const tTextConvParam& options) const;
    void WriteFile(const fw::CString& path, const tTextConvParam& options, bool& failed) const;

    CKivDataDoc& m_doc;
    const IDataSheetSource& m_sheet;
};
