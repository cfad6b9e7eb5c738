// The data list's text formats: the page's sheet written as plain text or
// CSV, as the LOB-5950 recorder's CSV and as the DADiSP header with its
// data file, and whole sheets cut into block files.

#include "project/views/PrjChDataView.h"

#include "common/base/TextFile.h"
#include "common/base/ValueFormat.h"
#include "common/tank/DataTankList.h"
#include "data/model/DataTextExport.h"
#include "data/model/ExportTextWriter.h"
#include "data/model/TextConvParam.h"
#include "framework/core/DateTime.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/DataTextOptions.h"
#include "project/views/ProjectFrame.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr int kHeaderRows = 5;
constexpr int kRowName = 0, kRowUnit = 1, kRowMax = 2, kRowMean = 4;
constexpr int kCodeMode = 7, kCodeLowPass = 2, kCodeCoefficient = 24;
constexpr int kLobCalcFrom = 320;
constexpr int16_t kTimeFormat = -10001;

void Append(std::string& line, char sep, std::string_view cell)
{
    line += sep;
    line.append(cell);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void ReportCreateFailed(const fw::CString& path)
{
    fw::CString text;
    fw::AfxFormatString1(text, kIdFileCreateFailed, path);
    fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

} // namespace

// ---- names ---------------------------------------------------------------------------------------

fw::CString CPrjChDataView::TakeExportName(const fw::CString& path, int32_t& format)
{
    static const struct {
        const char* ext;
        int32_t format;
    } kExtensions[] = {{".CSV", tTextConvParam::kCsv}, {".TXT", tTextConvParam::kTxt}, {".HED", tTextConvParam::kHed}};
    const std::string text = path.str();
    const size_t slash = text.find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    // Only the name's own extension: a folder or an inner part that looks
    // like one stays as the user wrote it.
    const size_t dot = text.rfind('.');
    if (dot == std::string::npos || dot < nameAt)
        return path;
    const std::string ext = text.substr(dot);
    for (const auto& e : kExtensions) {
        fw::CString lower(e.ext);
        lower.MakeLower();
        if (ext != e.ext && ext != lower.str())
            continue;
        format = e.format;
        return fw::CString(text.substr(0, dot) + ".KIVD");
    }
    return path;
}

fw::CString CPrjChDataView::BlockFileName(const fw::CString& path, int32_t format, int g, int i)
{
    static const char* const kSuffixes[] = {"_%d_%d.TXT", "_%d_%d.CSV", "_%d_%d.HED"};
    const std::string suffix = fw::Format(kSuffixes[std::clamp(format, 0, 2)], g + 1, i + 1).str();
    std::string name = path.str();
    const size_t slash = name.find_last_of("/\\");
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot >= nameAt && Upper(name.substr(dot)) == ".KIVD")
        name.erase(dot);
    return fw::CString(name + suffix);
}

// ---- shared cells --------------------------------------------------------------------------------

int CPrjChDataView::ColumnChannel(int32_t col)
{
    CDataTankObject* tank = GetColumnTank(col);
    CKIV5980Doc* doc = GetProjectDoc();
    CDataTankList* channels = doc ? doc->GetChannelTankList() : nullptr;
    if (!tank || !channels)
        return -1;
    for (int i = 0; i < channels->GetSize(); ++i)
        if (channels->GetObjectAt(i) == tank)
            return i;
    return -1;
}

std::string CPrjChDataView::HeaderCells(int32_t row, char sep)
{
    std::string line;
    for (int32_t c = 0; c < 2; ++c) {
        fw::CString text;
        GetTagText(text, c, row, 0);
        if (c)
            line += sep;
        line += CExportTextWriter::Field(text.str(), sep);
    }
    return line;
}

std::string CPrjChDataView::RowCells(int32_t row, char sep)
{
    std::string line;
    for (int32_t c = 0; c < 2; ++c) {
        fw::CString text;
        GetRowHeaderText(text, c, row, 0);
        if (c)
            line += sep;
        line += CExportTextWriter::Field(text.str(), sep);
    }
    return line;
}

// ---- the formats ---------------------------------------------------------------------------------

void CPrjChDataView::WritePlainText(CExportTextWriter& out, bool csv, const tTextConvParam& options)
{
    const char sep = csv ? ',' : '\t';
    CKIV5980Doc* doc = GetProjectDoc();
    if (options.bTitle) {
        out.WriteLine(CExportTextWriter::Field(doc->GetTestTitle().str(), sep));
        fw::CString timing;
        if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
            frame->GetTimingText(timing, sep);
        out.WriteLine(timing.str());
    }
    auto headerLine = [&](int32_t row) {
        std::string line = HeaderCells(row, sep);
        for (int col : options.columns) {
            fw::CString text;
            GetColumnHeaderText(text, col, row, 0);
            Append(line, sep, CExportTextWriter::Field(text.str(), sep));
        }
        out.WriteLine(line);
    };
    if (options.bOneLine && options.bName && options.bUnit) {
        std::string line = HeaderCells(kRowName, sep);
        for (int col : options.columns) {
            fw::CString name, unit;
            GetColumnHeaderText(name, col, kRowName, 0);
            GetColumnHeaderText(unit, col, kRowUnit, 0);
            Append(line, sep, CExportTextWriter::Field(name.str() + " " + unit.str(), sep));
        }
        out.WriteLine(line);
    } else {
        if (options.bName)
            headerLine(kRowName);
        if (options.bUnit)
            headerLine(kRowUnit);
        for (int32_t row = kRowMax; row <= kRowMean; ++row)
            headerLine(row);
    }
    for (int32_t row = options.firstRow - 1; row <= options.lastRow - 1; ++row) {
        std::string line = RowCells(row, sep);
        for (int col : options.columns) {
            fw::CString text;
            GetSheetText(text, col, row, 0);
            Append(line, sep, CExportTextWriter::Field(text.str(), sep));
        }
        out.WriteLine(line);
    }
}

void CPrjChDataView::WriteRecorderCsv(CExportTextWriter& out, const tTextConvParam& options)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxArray& system = doc->GetBoxArray();
    const CADSetPrf& ad = system.GetADSet();
    std::vector<int> columns;
    for (int col : options.columns) {
        if (CDataTextExport::ChannelDisplayNumber(ColumnChannel(col)) == 0)
            break;
        columns.push_back(col);
    }
    out.WriteLine("Data Type         : Dynamic");
    out.WriteLine(CExportTextWriter::Field("File Comment      : " + doc->GetTestTitle().str(), ','));
    out.WriteLine(fw::Format("Record Word       : %ld word", static_cast<long>(ad.m_nNum)).str());
    out.WriteLine(fw::Format("Sampling Cycle    : %g msec.", ad.m_dClk).str());
    out.WriteLine(fw::Format("Pretrigger Memory : %ld word", static_cast<long>(ad.m_nPreNum)).str());
    auto attribute = [&](int channel, int code) {
        fw::CString text;
        if (channel >= 0 && channel < system.GetMeasuringCount())
            system.GetChannelText(channel, code, text);
        return CExportTextWriter::Field(text.str(), ',');
    };
    std::string no = "No.", mode = "Mode", lpf = "L.P.F.", coeff = "Coeff.", unit = "Unit";
    for (int col : columns) {
        const int channel = ColumnChannel(col);
        const int number = CDataTextExport::ChannelDisplayNumber(channel);
        const bool calculated = channel > kLobCalcFrom;
        Append(no, ',', (calculated ? fw::Format("CH.@%02d", number) : fw::Format("CH.%03d", number)).str());
        Append(mode, ',', calculated ? "" : attribute(channel, kCodeMode));
        Append(lpf, ',', calculated ? "" : attribute(channel, kCodeLowPass));
        Append(coeff, ',', calculated ? "" : attribute(channel, kCodeCoefficient));
        Append(unit, ',', CExportTextWriter::Field(GetColumnTank(col)->GetUnit().str(), ','));
    }
    for (const std::string* line : {&no, &mode, &lpf, &coeff, &unit})
        out.WriteLine(*line);
    static const char* const labels[] = {"MAX", "MIN", "MEAN"};
    for (int32_t row = kRowMax; row <= kRowMean; ++row) {
        std::string line = labels[row - kRowMax];
        for (int col : columns) {
            fw::CString text;
            GetColumnHeaderText(text, col, row, 0);
            Append(line, ',', CExportTextWriter::Field(text.str(), ','));
        }
        out.WriteLine(line);
    }
    for (int32_t row = options.firstRow - 1; row <= options.lastRow - 1; ++row) {
        std::string line = std::to_string(row + 1);
        for (int col : columns) {
            fw::CString text;
            GetSheetText(text, col, row, 0);
            Append(line, ',', CExportTextWriter::Field(text.str(), ','));
        }
        out.WriteLine(line);
    }
}

bool CPrjChDataView::WriteDadispFiles(CExportTextWriter& out, const fw::CString& headerPath,
                                      const tTextConvParam& options)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CADSetPrf& ad = doc->GetBoxArray().GetADSet();
    const bool external = ad.m_nExtClk != 0;
    const double interval = external ? 1.0 : ad.m_dClk / 1000.0;
    std::string dataset = doc->GetPathName().str();
    if (dataset.size() >= 5 && Upper(dataset.substr(dataset.size() - 5)) == ".KIVP")
        dataset.erase(dataset.size() - 5);
    const fw::COleDateTime& start = doc->GetBoxArray().GetStartTime();
    out.WriteLine("DATASET\t" + dataset);
    out.WriteLine("VERSION\tNext");
    out.WriteLine("FILE_TYPE\tASCII");
    out.WriteLine("STORAGE_MODE\tINTERLACED");
    out.WriteLine("DATE\t" + start.Format("%m-%d-%Y").str());
    out.WriteLine("TIME\t" + start.Format("%H:%M:%S.00").str());
    out.WriteLine(fw::Format("INTERVAL\t%g", interval).str());
    out.WriteLine(external ? "HORZ_UNITS\tSAMPLES" : "HORZ_UNITS\tSecs");
    const int n = static_cast<int>(options.columns.size());
    out.WriteLine(fw::Format("NUM_SERIES\t%d", n).str());
    out.WriteLine(fw::Format("NUM_COLUMNS\t%d", n + 1).str());
    out.WriteLine("COLUMN\t2");
    auto seriesLine = [&](const char* key, int32_t row) {
        std::string line = key;
        for (size_t k = 0; k < options.columns.size(); ++k) {
            fw::CString text;
            GetColumnHeaderText(text, options.columns[k], row, 0);
            if (k)
                line += ',';
            line += CExportTextWriter::Field(text.str(), ',');
        }
        out.WriteLine(line);
    };
    int offsetLines = 0;
    if (options.bName) {
        seriesLine("SERIES\t", kRowName);
        ++offsetLines;
    }
    if (options.bUnit) {
        seriesLine("VERT_UNITS\t", kRowUnit);
        ++offsetLines;
    }
    if (offsetLines)
        out.WriteLine(fw::Format("FILE_OFFSET\t%d", offsetLines).str());
    out.WriteLine("DATA");

    const fw::CString dataPath = CDataTextExport::DadispDataPath(headerPath);
    auto writeData = [&](fw::CFile& file) {
        CExportTextWriter data(file);
        auto labelLine = [&](std::string line, int32_t row) {
            for (int col : options.columns) {
                fw::CString text;
                GetColumnHeaderText(text, col, row, 0);
                Append(line, ',', CExportTextWriter::Field(text.str(), ','));
            }
            data.WriteLine(line);
        };
        if (options.bName)
            labelLine("X", kRowName);
        if (options.bUnit)
            labelLine(external ? "SAMPLES" : "SEC", kRowUnit);
        for (int32_t row = options.firstRow - 1; row <= options.lastRow - 1; ++row) {
            fw::CString time;
            FormatDataValue(row < ad.m_nNum ? row * interval : HUGE_VAL, kTimeFormat, time);
            std::string line = time.str();
            for (int col : options.columns) {
                fw::CString text;
                GetSheetText(text, col, row, 0);
                Append(line, ',', CExportTextWriter::Field(text.str(), ','));
            }
            data.WriteLine(line);
        }
        data.Flush();
    };
    try {
        if (!fw::fs::WriteNoReplace(dataPath, writeData)) {
            ReportCreateFailed(dataPath);
            return false;
        }
    } catch (const std::exception& e) {
        CTextFile::ReportFileError(dataPath, e, true, kIdFileCreateFailed);
        return false;
    }
    return true;
}

// ---- files ---------------------------------------------------------------------------------------

void CPrjChDataView::WriteText(CTextFile& file, bool csv)
{
    // The page's own text save writes the chosen format through a writer
    // on the same file.
    const tTextConvParam& options = AppTextConvParam();
    tTextConvParam block = options;
    const CCellRange sel = GetGrid()->GetSelection();
    if (block.columns.empty())
        for (int32_t c = sel.left; c <= sel.right; ++c)
            block.columns.push_back(c);
    if (block.lastRow < block.firstRow)
        block.lastRow = GetLastUsedRow(0, -1) + 1;
    CExportTextWriter out(file);
    if (options.page == tTextConvParam::kPageLob)
        WriteRecorderCsv(out, block);
    else if (options.page == tTextConvParam::kPageDadisp)
        WriteDadispFiles(out, file.GetFilePath(), block);
    else
        WritePlainText(out, csv, block);
    out.Flush();
}

bool CPrjChDataView::WriteBlockFile(const fw::CString& path, const tTextConvParam& options)
{
    try {
        const bool made = fw::fs::WriteNoReplace(path, [&](fw::CFile& file) {
            fw::CWaitCursor wait;
            CExportTextWriter out(file);
            if (options.page == tTextConvParam::kPageLob)
                WriteRecorderCsv(out, options);
            else if (options.page == tTextConvParam::kPageDadisp)
                WriteDadispFiles(out, path, options);
            else
                WritePlainText(out, options.format == tTextConvParam::kCsv, options);
            out.Flush();
        });
        if (!made)
            ReportCreateFailed(path);
        return true;
    } catch (const std::exception& e) {
        CTextFile::ReportFileError(path, e, true, kIdFileCreateFailed);
        return false;
    }
}

bool CPrjChDataView::WriteSplitFiles(const fw::CString& path, const tTextConvParam& options)
{
    const int cols = GetGrid()->GetSheetPane()->ColumnCount();
    const int rows = GetGrid()->GetSheetPane()->RowCount();
    const int colLimit = std::max(options.columnLimit, 1);
    const int rowLimit = std::max(options.rowLimit, 1);
    for (int g = 0; g * colLimit < cols; ++g) {
        for (int i = 0; i * rowLimit < std::max(rows, 1); ++i) {
            tTextConvParam block;
            block.bTitle = options.bTitle;
            block.bName = options.bName;
            block.bUnit = options.bUnit;
            block.bOneLine = options.bOneLine;
            block.format = options.format;
            block.page = options.page;
            for (int c = g * colLimit; c < std::min((g + 1) * colLimit, cols); ++c)
                block.columns.push_back(c);
            block.firstRow = i * rowLimit + 1;
            block.lastRow = std::min((i + 1) * rowLimit, rows);
            if (!WriteBlockFile(BlockFileName(path, options.format, g, i), block))
                return false;
        }
    }
    return true;
}
