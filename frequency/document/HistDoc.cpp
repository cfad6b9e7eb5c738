#include "frequency/document/HistDoc.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistStrings.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridStyle.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

FW_IMPLEMENT_DYNCREATE(CHistDoc, CKivDocBase)

namespace {

constexpr unsigned kHintDataChanged = 12;
constexpr fw::COLORREF kLayoutLineColor = 0xAFAFAF; // RGB 175, 175, 175

// A table shape: corner and row-header columns b, corner rows a,
// column-header rows c, sheet d x e, header width f, header height g,
// sheet column width h.
std::unique_ptr<CZELGridStyle> MakeLayout(int a, int b, int c, int d, int e, int f, int g, int h)
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetDimensions(b, a, b, c, std::max(d, 1), std::max(e, 1));
    style->SetDefaultSizes(f, g / a, f, g / c, h, -18);
    style->GetPane(kPaneSheet).m_nSelFlags |= kSelectCells;
    style->ApplySizes();
    return style;
}

// The title's 256-byte form: its CP932 bytes, zeros after.
std::string TitleBytes(const fw::CString& title)
{
    fw::CString cut = title;
    CKivDocBase::LimitTestTitle(cut);
    std::string bytes = fw::cp932::ToCp932(cut.str());
    bytes.resize(CKivDocBase::kMaxTestTitleBytes, '\0');
    return bytes;
}

fw::CString TitleOfBytes(const char* bytes, size_t n)
{
    const size_t length = strnlen(bytes, n);
    return fw::CString(fw::cp932::FromCp932(std::string_view(bytes, length)));
}

void WriteTime(fw::CArchive& ar, tHistTime t) { fw::SerializeElements(ar, t.field, 6); }
void ReadTime(fw::CArchive& ar, tHistTime& t) { fw::SerializeElements(ar, t.field, 6); }

// Message 521 for a file that is not a frequency-data file, then a silent
// abort.
[[noreturn]] void RefuseForeignFile(const fw::CString& path)
{
    const fw::CString pattern = HistString(histstr::kNotThisDocument);
    const fw::CString text = fw::Format(pattern.c_str(), fw::fs::FileNameOf(path).c_str(),
                                        HistString(histstr::kAppTitle).c_str());
    fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION, histstr::kNotThisDocument);
    fw::ThrowUserException();
}

[[noreturn]] void RefuseNewerFile()
{
    fw::Prompt().MessageBox(HistString(histstr::kCannotRead), fw::MB_OK | fw::MB_ICONEXCLAMATION,
                            histstr::kCannotRead);
    fw::ThrowUserException();
}

// Versions 1 and 2 of the file are read as the third: no other layout of
// them is known. Anything else below 1 is damage.
void CheckVersion(int32_t version, const fw::CString& path)
{
    if (version > CHistDoc::kVersion)
        RefuseNewerFile();
    if (version < 1)
        fw::ThrowArchiveException(fw::CArchiveException::badSchema, path);
}

fw::COleDateTime DateOf(const tHistTime& t)
{
    fw::COleDateTime date;
    date.SetDateTime(t.field[0] + 2000, t.field[1], t.field[2], t.field[3], t.field[4], t.field[5]);
    return date;
}

bool IsFile(const std::filesystem::path& p)
{
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

// The folder exists as a folder afterwards, or false.
bool MakeFolder(const fw::CString& folder)
{
    std::error_code ec;
    const std::filesystem::path p(folder.str());
    if (std::filesystem::exists(p, ec))
        return std::filesystem::is_directory(p, ec);
    std::filesystem::create_directories(p, ec);
    return !ec && std::filesystem::is_directory(p, ec);
}

} // namespace

CHistDoc::CHistDoc() = default;

CHistDoc::~CHistDoc() = default;

bool CHistDoc::OnNewDocument()
{
    if (!CKivDocBase::OnNewDocument())
        return false;
    return CreateNewContents();
}

bool CHistDoc::CreateNewContents()
{
    try {
        if (!CKivDocBase::CreateNewContents())
            return false;
        CreateDefaultLayouts();
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    } catch (const std::exception&) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CHistDoc::CreateDefaultLayouts()
{
    auto input = MakeLayout(1, 1, 2, 13, 10, 56, -54, 56);
    input->SetColumnWidths(4, 94, 1);
    CZELPaneStyle& sheet = input->GetPane(kPaneSheet);
    sheet.m_bSysColors = 0;
    sheet.m_crBack = kGridWindowColor;
    sheet.m_crVertLine = kLayoutLineColor;
    sheet.m_crHorzLine = kLayoutLineColor;

    auto analyses = MakeLayout(1, 1, 2, 13, 10, 56, -36, 56);
    analyses->SetColumnWidths(2, 70, 2);
    analyses->SetColumnWidths(10, 110, 1);
    analyses->SetColumnWidths(12, 110, 1);
    analyses->GetPane(kPaneColumnHeader).m_nSelFlags = 0;
    analyses->GetPane(kPaneRowHeader).m_nSelFlags = 0;
    analyses->GetPane(kPaneSheet).m_nSelFlags = kSelectSingle | kSelectRows;

    m_layouts[0] = std::move(input);
    m_layouts[1] = std::move(analyses);
    m_layouts[2] = MakeLayout(1, 1, 1, 3, 100, 80, -18, 80);
    SetLayoutRows();
}

void CHistDoc::DeleteContents()
{
    for (auto& layout : m_layouts)
        layout.reset();
    CKivDocBase::DeleteContents();
}

void CHistDoc::SetLayoutRows()
{
    const int rows = m_boxArray.GetCount();
    for (int i = 0; i < 2; ++i) {
        if (m_layouts[static_cast<size_t>(i)])
            m_layouts[static_cast<size_t>(i)]->SetRowCount(std::max(rows, 1));
    }
}

void CHistDoc::OnDocumentLoaded()
{
    CKivDocBase::OnDocumentLoaded();
    SetLayoutRows();
}

CZELGridStyle* CHistDoc::GetLayout(int index) const
{
    if (index < 0 || index >= kLayoutCount)
        fw::ThrowInvalidArgException();
    return m_layouts[static_cast<size_t>(index)].get();
}

void CHistDoc::SendUpdateHint(fw::CObject* sender, int first, int last, int32_t flags)
{
    CUpdateKivData hint(this);
    hint.m_pSender = sender;
    hint.m_changeFlags = flags;
    hint.m_firstColumn = first;
    hint.m_lastColumn = last;
    UpdateAllViews(nullptr, kHintDataChanged, &hint);
}

fw::COleDateTime CHistDoc::GetStartTime() const { return DateOf(m_header.m_start); }

fw::COleDateTime CHistDoc::GetStopTime() const { return DateOf(m_header.m_stop); }

// ------------------------------------------------------------------ file

void CHistDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        StoreFile(ar);
    else
        LoadFile(ar);
}

void CHistDoc::StoreFile(fw::CArchive& ar)
{
    ar.Write(kMagic, kMagicBytes);
    ar << kVersion;
    ar.Write(kHeaderTag, kHeaderTagBytes);
    const std::string title = TitleBytes(m_strTestTitle);
    ar.Write(title.data(), title.size());
    ar << m_cardFileName;
    const CHistCountArray* analyses = m_boxArray.GetHistCountArray();
    WriteTime(ar, analyses ? analyses->m_startTime : m_header.m_start);
    WriteTime(ar, analyses ? analyses->m_endTime : m_header.m_stop);
    ar.Write(kHeaderTag, kHeaderTagBytes);
    for (const auto& layout : m_layouts)
        ar.WriteObject(layout.get());
    m_boxArray.Serialize(ar);
    CKivDocBase::Serialize(ar);
}

void CHistDoc::LoadFile(fw::CArchive& ar)
{
    char magic[kMagicBytes];
    ar.ReadExact(magic, kMagicBytes);
    if (std::memcmp(magic, kMagic, kMagicBytes) != 0)
        RefuseForeignFile(ar.m_strFileName);
    int32_t version = 0;
    ar >> version;
    CheckVersion(version, ar.m_strFileName);
    char tag[kHeaderTagBytes];
    ar.ReadExact(tag, kHeaderTagBytes);
    char title[kMaxTestTitleBytes];
    ar.ReadExact(title, kMaxTestTitleBytes);
    m_strTestTitle = TitleOfBytes(title, kMaxTestTitleBytes);
    ar >> m_cardFileName;
    ReadTime(ar, m_header.m_start);
    ReadTime(ar, m_header.m_stop);
    if (m_header.m_headerOnly)
        return;
    ar.ReadExact(tag, kHeaderTagBytes);
    for (auto& layout : m_layouts)
        layout.reset(static_cast<CZELGridStyle*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CZELGridStyle))));
    if (m_layouts[0])
        m_layouts[0]->SetColumnCount(kInputLayoutColumns);
    m_boxArray.Serialize(ar);
    CKivDocBase::Serialize(ar);
}

void CHistDoc::ReplaceTitleInFile(fw::CFile& file, const fw::CString& title)
{
    char head[kHeadBytes];
    file.SeekToBegin();
    const size_t got = file.Read(head, kHeadBytes);
    if (got < kMagicBytes || std::memcmp(head, kMagic, kMagicBytes) != 0)
        RefuseForeignFile(file.GetFilePath());
    int32_t version = 0;
    if (got >= kMagicBytes + sizeof version)
        std::memcpy(&version, head + kMagicBytes, sizeof version);
    if (version > kVersion)
        RefuseNewerFile();
    // A file that ends inside its title field is damaged; writing the
    // field would make it longer and no more readable.
    if (got < kHeadBytes)
        fw::ThrowArchiveException(fw::CArchiveException::endOfFile, file.GetFilePath());
    const std::string bytes = TitleBytes(title);
    std::memcpy(head + kTitleOffset, bytes.data(), bytes.size());
    file.SeekToBegin();
    file.Write(head, kHeadBytes);
    file.Flush();
}

// ------------------------------------------------------------ new files

bool CHistDoc::CreateFile(const fw::CString& folder, const fw::CString& name, const fw::CString& title,
                          CHistCountArray* analyses, const fw::CString& cardFileName)
{
    m_strTestTitle = title;
    LimitTestTitle(m_strTestTitle);
    m_cardFileName = cardFileName;
    m_boxArray.SetHistCountArray(analyses);
    SetLayoutRows();
    if (analyses) {
        m_header.m_start = analyses->m_startTime;
        m_header.m_stop = analyses->m_endTime;
    }
    bool saved = false;
    if (folder.IsEmpty()) {
        saved = true;
    } else if (MakeFolder(folder)) {
        fw::CString base = name;
        if (base.IsEmpty()) {
            const tHistTime& t = m_header.m_start;
            base = fw::Format("H%0.2d%0.2d%0.2d%0.2d%0.2d%0.2d", t.field[0], t.field[1], t.field[2], t.field[3],
                              t.field[4], t.field[5]);
        }
        fw::CString extension = kExtension;
        if (fw::CDocTemplate* tmpl = GetDocTemplate()) {
            const auto exts = tmpl->GetFilterExtensions();
            if (!exts.empty())
                extension = exts.front();
        }
        for (int n = 0;; ++n) {
            const fw::CString path = n == 0 ? fw::Format("%s/%s%s", folder.c_str(), base.c_str(), extension.c_str())
                                            : fw::Format("%s/%s_%d%s", folder.c_str(), base.c_str(), n,
                                                         extension.c_str());
            if (IsFile(std::filesystem::path(path.str())))
                continue;
            bool nameTaken = false;
            saved = SaveNoReplace(path, nameTaken);
            if (saved)
                SetPathName(path, false);
            // A file that took the name meanwhile sends the save to the next.
            if (saved || !nameTaken)
                break;
        }
    }
    SetModifiedFlag(false);
    return saved;
}
