#include "data/model/DataTextExport.h"

#include "common/base/TextFile.h"
#include "common/base/ValueFormat.h"
#include "data/model/DataStrings.h"
#include "data/model/ExportTextWriter.h"
#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/DateTime.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLobCalcFrom = 320;
constexpr int16_t kTimeFormat = -10001;

void Append(std::string& line, char separator, std::string_view cell)
{
    line += separator;
    line.append(cell);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string WithoutTabs(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    return text;
}

void ReportCreateFailed(const fw::CString& path)
{
    fw::CString text;
    fw::AfxFormatString1(text, kIdFileCreateFailed, path);
    fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

} // namespace

int CDataTextExport::ChannelDisplayNumber(int channel)
{
    if (channel < 500)
        return channel >= 0 && channel < 100 ? channel + 1 : 0;
    return channel - 500 < 99 ? channel - 499 : 0;
}

std::string CDataTextExport::CornerCells(int headerRow, char separator) const
{
    std::string line;
    for (int c = 0; c < m_sheet.GetRowHeaderColumns(); ++c) {
        if (c)
            line += separator;
        line += CExportTextWriter::Field(m_sheet.GetCornerText(headerRow, c).str(), separator);
    }
    return line;
}

std::string CDataTextExport::RowHeaderCells(int row, char separator) const
{
    std::string line;
    AppendRowHeaderCells(line, row, separator);
    return line;
}

void CDataTextExport::AppendRowHeaderCells(std::string& line, int row, char separator) const
{
    for (int c = 0; c < m_sheet.GetRowHeaderColumns(); ++c) {
        if (c)
            line += separator;
        CExportTextWriter::AppendField(line, m_sheet.GetRowHeaderText(row, c).view(), separator);
    }
}

void CDataTextExport::WriteHeaderRow(CExportTextWriter& out, int headerRow, char separator,
                                     const tTextConvParam& options) const
{
    std::string line = CornerCells(headerRow, separator);
    for (int col : options.columns)
        Append(line, separator, CExportTextWriter::Field(m_sheet.GetColumnHeaderText(headerRow, col).str(), separator));
    out.WriteLine(line);
}

void CDataTextExport::WriteCsvText(CExportTextWriter& out, bool csv, const tTextConvParam& options) const
{
    const char sep = csv ? ',' : '\t';
    if (options.bTitle) {
        out.WriteLine(CExportTextWriter::Field(m_doc.GetTestTitle().str(), sep));
        out.WriteLine(m_sheet.GetRecordText(sep).str());
        out.WriteLine(m_sheet.GetTimingText(sep).str());
    }
    if (options.bOneLine && options.bName && options.bUnit) {
        std::string line = CornerCells(IDataSheetSource::kRowName, sep);
        for (int col : options.columns) {
            std::string text = m_sheet.GetColumnHeaderText(IDataSheetSource::kRowName, col).str() + " " +
                               m_sheet.GetColumnHeaderText(IDataSheetSource::kRowUnit, col).str();
            Append(line, sep, CExportTextWriter::Field(csv ? WithoutTabs(text) : text, sep));
        }
        out.WriteLine(line);
    } else {
        if (options.bName)
            WriteHeaderRow(out, IDataSheetSource::kRowName, sep, options);
        if (options.bUnit)
            WriteHeaderRow(out, IDataSheetSource::kRowUnit, sep, options);
        for (int r = IDataSheetSource::kRowMax; r <= IDataSheetSource::kRowMean; ++r)
            WriteHeaderRow(out, r, sep, options);
    }
    // One line buffer for all rows: no allocation per row or cell.
    std::string line;
    for (int r = options.firstRow - 1; r <= options.lastRow - 1; ++r) {
        line.clear();
        AppendRowHeaderCells(line, r, sep);
        for (int col : options.columns) {
            line += sep;
            CExportTextWriter::AppendField(line, m_sheet.GetCellText(r, col).view(), sep);
        }
        out.WriteLine(line);
    }
}

void CDataTextExport::WriteLobText(CExportTextWriter& out, const tTextConvParam& options) const
{
    std::vector<int> columns;
    for (int col : options.columns) {
        if (ChannelDisplayNumber(m_sheet.GetColumnChannel(col)) == 0)
            break;
        columns.push_back(col);
    }
    const CADSetPrf& ad = m_doc.GetAdSet();
    out.WriteLine("Data Type         : Dynamic");
    out.WriteLine(CExportTextWriter::Field("File Comment      : " + m_doc.GetTestTitle().str(), ','));
    out.WriteLine(fw::Format("Record Word       : %ld word", static_cast<long>(ad.m_nNum)).str());
    out.WriteLine(fw::Format("Sampling Cycle    : %g msec.", ad.m_dClk).str());
    out.WriteLine(fw::Format("Pretrigger Memory : %ld word", static_cast<long>(ad.m_nPreNum)).str());

    CKivDataBoxArray& boxes = m_doc.GetBoxArray();
    auto attribute = [&](int channel, int column) {
        fw::CString text;
        if (channel < m_doc.GetChannelCount())
            boxes.GetChannelText(channel, column, text);
        return text.str();
    };
    std::string no = "No.", mode = "Mode", lpf = "L.P.F.", coeff = "Coeff.", unit = "Unit";
    for (int col : columns) {
        const int channel = m_sheet.GetColumnChannel(col);
        const int number = ChannelDisplayNumber(channel);
        const bool calculated = channel > kLobCalcFrom;
        Append(no, ',', (calculated ? fw::Format("CH.@%02d", number) : fw::Format("CH.%03d", number)).str());
        Append(mode, ',', calculated ? "" : CExportTextWriter::Field(attribute(channel, CKivDataBoxPropaty::kColInputMode), ','));
        Append(lpf, ',', calculated ? "" : CExportTextWriter::Field(attribute(channel, CKivDataBoxPropaty::kColLowPass), ','));
        Append(coeff, ',', calculated ? "" : CExportTextWriter::Field(attribute(channel, CKivDataBoxPropaty::kColCoefficient), ','));
        CDataTankObject* tank = m_doc.GetChannelTankList()->GetObjectAt(channel);
        Append(unit, ',', CExportTextWriter::Field(tank ? tank->GetUnit().str() : std::string(), ','));
    }
    ReplaceAll(mode, fw::LoadStringText(datastr::kIdsThermocouple).str(), "Temp.");
    ReplaceAll(mode, fw::LoadStringText(datastr::kIdsVoltage).str(), "VOLT");
    for (const std::string* line : {&no, &mode, &lpf, &coeff, &unit})
        out.WriteLine(*line);
    const char* labels[] = {"MAX", "MIN", "MEAN"};
    for (int r = IDataSheetSource::kRowMax; r <= IDataSheetSource::kRowMean; ++r) {
        std::string line = labels[r - IDataSheetSource::kRowMax];
        for (int col : columns)
            Append(line, ',', CExportTextWriter::Field(m_sheet.GetColumnHeaderText(r, col).str(), ','));
        out.WriteLine(line);
    }
    std::string line;
    for (int r = options.firstRow - 1; r <= options.lastRow - 1; ++r) {
        line = std::to_string(r + 1);
        for (int col : columns) {
            line += ',';
            CExportTextWriter::AppendField(line, m_sheet.GetCellText(r, col).view(), ',');
        }
        out.WriteLine(line);
    }
}

fw::CString CDataTextExport::DadispDataPath(const fw::CString& headerPath)
{
    const std::string path = headerPath.str();
    const size_t slash = path.find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path.substr(nameAt);
    ReplaceAll(name, ".hed", ".DAT");
    ReplaceAll(name, ".HED", ".DAT");
    return fw::CString(path.substr(0, nameAt) + name);
}

bool CDataTextExport::HasDadispInterval(bool report) const
{
    const CADSetPrf& ad = m_doc.GetAdSet();
    // DADiSP places every row by the interval: none (or none a number
    // gives) would put all rows at one time.
    if (ad.m_nExtClk > 0 || (std::isfinite(ad.m_dClk) && ad.m_dClk > 0))
        return true;
    if (report)
        fw::AfxMessageBox(fw::CString(datastr::kTextNoInterval), fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}

bool CDataTextExport::WriteDadispText(CExportTextWriter& out, const fw::CString& headerPath,
                                      const tTextConvParam& options) const
{
    if (!HasDadispInterval(true))
        return false;
    const CADSetPrf& ad = m_doc.GetAdSet();
    const bool external = ad.m_nExtClk > 0;
    const double interval = external ? 1.0 : ad.m_dClk / 1000.0;
    std::string dataset = m_doc.GetTitle().str();
    for (const char* ext : {".KIVD", ".kivd"}) {
        const size_t at = dataset.find(ext);
        if (at != std::string::npos) {
            dataset.erase(at, 5);
            break;
        }
    }
    const fw::COleDateTime start(m_doc.GetStartTime());
    out.WriteLine("DATASET\t" + dataset);
    out.WriteLine("VERSION\tNext");
    out.WriteLine("FILE_TYPE\tASCII");
    out.WriteLine("STORAGE_MODE\tINTERLACED");
    out.WriteLine("DATE\t" + start.Format("%m-%d-%Y").str());
    out.WriteLine("TIME\t" + start.Format("%H:%M:%S.00").str());
    out.WriteLine(fw::Format("INTERVAL\t%g", interval).str());
    out.WriteLine(ad.m_nExtClk != 0 ? "HORZ_UNITS\tSAMPLES" : "HORZ_UNITS\tSecs");
    const int n = static_cast<int>(options.columns.size());
    out.WriteLine(fw::Format("NUM_SERIES\t%d", n).str());
    out.WriteLine(fw::Format("NUM_COLUMNS\t%d", n + 1).str());
    out.WriteLine("COLUMN\t2");
    int offsetLines = 0;
    for (int row : {IDataSheetSource::kRowName, IDataSheetSource::kRowUnit}) {
        if (!(row == IDataSheetSource::kRowName ? options.bName : options.bUnit))
            continue;
        std::string line = row == IDataSheetSource::kRowName ? "SERIES\t" : "VERT_UNITS\t";
        for (size_t k = 0; k < options.columns.size(); ++k) {
            if (k)
                line += ',';
            line += CExportTextWriter::Field(m_sheet.GetColumnHeaderText(row, options.columns[k]).str(), ',');
        }
        out.WriteLine(line);
        ++offsetLines;
    }
    if (offsetLines)
        out.WriteLine(fw::Format("FILE_OFFSET\t%d", offsetLines).str());
    out.WriteLine("DATA");

    const fw::CString dataPath = DadispDataPath(headerPath);
    try {
        const bool made = fw::fs::WriteNoReplace(dataPath, [&](fw::CFile& file) {
            CExportTextWriter data(file);
            WriteDadispData(data, options);
            data.Flush();
        });
        if (!made) {
            ReportCreateFailed(dataPath);
            return false;
        }
    } catch (const std::exception& e) {
        CTextFile::ReportFileError(dataPath, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

void CDataTextExport::WriteDadispData(CExportTextWriter& out, const tTextConvParam& options) const
{
    const CADSetPrf& ad = m_doc.GetAdSet();
    const bool external = ad.m_nExtClk > 0;
    const double interval = external ? 1.0 : ad.m_dClk / 1000.0;
    if (options.bName) {
        std::string line = "X";
        for (int col : options.columns)
            Append(line, ',', CExportTextWriter::Field(m_sheet.GetColumnHeaderText(IDataSheetSource::kRowName, col).str(), ','));
        out.WriteLine(line);
    }
    if (options.bUnit) {
        std::string line = ad.m_nExtClk == 0 ? "SEC" : "SAMPLES";
        for (int col : options.columns)
            Append(line, ',', CExportTextWriter::Field(m_sheet.GetColumnHeaderText(IDataSheetSource::kRowUnit, col).str(), ','));
        out.WriteLine(line);
    }
    std::string line;
    for (int r = options.firstRow - 1; r <= options.lastRow - 1; ++r) {
        fw::CString time;
        FormatDataValue(r < ad.m_nNum ? r * interval : HUGE_VAL, kTimeFormat, time);
        line.assign(time.view());
        for (int col : options.columns) {
            line += ',';
            CExportTextWriter::AppendField(line, m_sheet.GetCellText(r, col).view(), ',');
        }
        out.WriteLine(line);
    }
}

fw::CString CDataTextExport::SplitFileName(const fw::CString& path, int32_t format, int g, int i)
{
    static const char* const kSuffixes[] = {"_%d_%d.TXT", "_%d_%d.CSV", "_%d_%d.HED"};
    const std::string suffix = fw::Format(kSuffixes[std::clamp(format, 0, 2)], g + 1, i + 1).str();
    std::string name = path.str();
    const size_t slash = name.find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::string file = name.substr(nameAt);
    ReplaceAll(file, ".kivd", ".KIVD");
    if (file.find(".KIVD") == std::string::npos)
        file += suffix;
    else
        ReplaceAll(file, ".KIVD", suffix);
    return fw::CString(name.substr(0, nameAt) + file);
}

void CDataTextExport::WriteFile(const fw::CString& path, const tTextConvParam& options, bool& failed) const
{
    try {
        const bool made = fw::fs::WriteNoReplace(path, [&](fw::CFile& file) {
            CExportTextWriter out(file);
            if (options.page == tTextConvParam::kPageLob)
                WriteLobText(out, options);
            else if (options.page == tTextConvParam::kPageDadisp)
                WriteDadispText(out, path, options);
            else
                WriteCsvText(out, options.format == tTextConvParam::kCsv, options);
            out.Flush();
        });
        if (!made)
            ReportCreateFailed(path);
    } catch (const std::exception& e) {
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        failed = true;
    }
}

bool CDataTextExport::WriteSplitText(const fw::CString& path, const tTextConvParam& options) const
{
    // Refused once for the whole export rather than once per block file.
    if (options.page == tTextConvParam::kPageDadisp && !HasDadispInterval(true))
        return false;
    const int cols = m_sheet.GetColumnCount();
    const int rows = m_sheet.GetRowCount();
    const int colLimit = std::max(options.columnLimit, 1);
    const int rowLimit = std::max(options.rowLimit, 1);
    bool failed = false;
    for (int g = 0; g * colLimit < cols && !failed; ++g) {
        for (int i = 0; i * rowLimit < std::max(rows, 1) && !failed; ++i) {
            tTextConvParam block = options;
            block.columns.clear();
            for (int c = g * colLimit; c < std::min((g + 1) * colLimit, cols); ++c)
                block.columns.push_back(c);
            block.firstRow = i * rowLimit + 1;
            block.lastRow = std::min((i + 1) * rowLimit, rows);
            WriteFile(SplitFileName(path, options.format, g, i), block, failed);
        }
    }
    return !failed;
}
