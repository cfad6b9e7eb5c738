#include "frequency/model/HistMMAObject.h"

#include "common/tank/DataBoxPropaty.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "frequency/model/HistFileAccess.h"
#include "frequency/model/HistStrings.h"

#include <algorithm>

namespace {

constexpr int32_t kTextKind = -10;
constexpr int32_t kDateKind = -2;

CDataTankObject* AddColumn(CDataTankList& list, unsigned id, CDataTankObject* tank, int32_t kind)
{
    CDataBoxPropaty::AddColumnTank(list, id, tank, 1, kind);
    // The column title stays readable while the program's table lacks it.
    if (tank->GetName().IsEmpty())
        tank->SetName(HistString(id));
    return tank;
}

} // namespace

CHistMMAObject::CHistMMAObject() = default;

CHistMMAObject::~CHistMMAObject()
{
    m_columns.DeleteAll();
    m_paths.SetSize(0);
}

bool CHistMMAObject::HasColumns() const
{
    return m_cardFileName && m_start && m_stop && m_title;
}

void CHistMMAObject::CreateColumns()
{
    m_columns.DeleteAll();
    m_cardFileName = static_cast<CStringDataTank*>(AddColumn(m_columns, histstr::kCardFileName, new CStringDataTank, kTextKind));
    m_start = static_cast<CDateDataTank*>(AddColumn(m_columns, histstr::kStartTime, new CDateDataTank, kDateKind));
    m_stop = static_cast<CDateDataTank*>(AddColumn(m_columns, histstr::kStopTime, new CDateDataTank, kDateKind));
    m_title = static_cast<CStringDataTank*>(AddColumn(m_columns, histstr::kTestTitle, new CStringDataTank, kTextKind));
}

CStringDataTank* CHistMMAObject::InitTanks()
{
    if (m_columns.GetSize() > 0) {
        m_cardFileName = dynamic_cast<CStringDataTank*>(m_columns.GetObjectAt(0));
        m_start = dynamic_cast<CDateDataTank*>(m_columns.GetObjectAt(1));
        m_stop = dynamic_cast<CDateDataTank*>(m_columns.GetObjectAt(2));
        m_title = dynamic_cast<CStringDataTank*>(m_columns.GetObjectAt(3));
        if (HasColumns())
            return m_title;
        // A list of other tanks than the four columns is no history: the
        // rows it claims cannot be read, so the history starts empty.
        m_highestRow = -1;
        m_paths.SetSize(0);
    }
    CreateColumns();
    if (m_highestRow >= 0)
        Grow(m_highestRow);
    return m_title;
}

void CHistMMAObject::CheckRow(int row)
{
    if (row < 0)
        fw::ThrowInvalidArgException();
}

void CHistMMAObject::Grow(int row)
{
    CheckRow(row);
    if (!HasColumns())
        InitTanks();
    if (row <= m_highestRow && m_paths.GetSize() > row)
        return;
    m_highestRow = std::max(m_highestRow, row);
    const int size = m_highestRow + 1;
    m_title->Grow(size, true);
    if (m_paths.GetSize() < size)
        m_paths.SetSize(size);
    m_start->Grow(size, true);
    m_stop->Grow(size, true);
    m_cardFileName->Grow(size, true);
}

void CHistMMAObject::SetPath(int row, const fw::CString& path)
{
    Grow(row);
    m_paths.SetAt(row, path);
}

void CHistMMAObject::SetStartTime(int row, const fw::COleDateTime& date)
{
    Grow(row);
    m_start->SetValue(row, date.m_dt);
}

void CHistMMAObject::SetStopTime(int row, const fw::COleDateTime& date)
{
    Grow(row);
    m_stop->SetValue(row, date.m_dt);
}

void CHistMMAObject::SetTitle(int row, const fw::CString& title)
{
    Grow(row);
    m_title->SetAt(row, title);
}

void CHistMMAObject::SetCFFileName(int row, const fw::CString& name)
{
    Grow(row);
    m_cardFileName->SetAt(row, name);
}

fw::CString CHistMMAObject::GetPath(int row) const
{
    CheckRow(row);
    if (row > m_highestRow || row >= m_paths.GetSize())
        return {};
    return m_paths.GetAt(row);
}

fw::CString CHistMMAObject::TextOf(CStringDataTank* tank, int row) const
{
    CheckRow(row);
    fw::CString text;
    if (row <= m_highestRow && tank)
        tank->GetValueText(row, text, true);
    return text;
}

fw::CString CHistMMAObject::GetTitle(int row) const { return TextOf(m_title, row); }

fw::CString CHistMMAObject::GetCFFileName(int row) const { return TextOf(m_cardFileName, row); }

fw::COleDateTime CHistMMAObject::DateOf(CDateDataTank* tank, int row) const
{
    CheckRow(row);
    fw::COleDateTime date;
    if (row > m_highestRow || !tank) {
        date.SetStatus(fw::COleDateTime::null);
        return date;
    }
    date.m_dt = tank->GetValue(row);
    date.SetStatus(fw::COleDateTime::valid);
    return date;
}

fw::COleDateTime CHistMMAObject::GetStartTime(int row) const { return DateOf(m_start, row); }

fw::COleDateTime CHistMMAObject::GetStopTime(int row) const { return DateOf(m_stop, row); }

void CHistMMAObject::RemoveAll()
{
    m_highestRow = -1;
    m_paths.SetSize(0);
    for (int i = 0; i < m_columns.GetSize(); ++i) {
        if (CDataTankObject* tank = m_columns.GetObjectAt(i))
            tank->Clear();
    }
}

void CHistMMAObject::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_highestRow;
        m_paths.Serialize(ar);
        m_columns.Serialize(ar);
        return;
    }
    m_cardFileName = nullptr;
    m_start = nullptr;
    m_stop = nullptr;
    m_title = nullptr;
    ar >> m_highestRow;
    m_paths.Serialize(ar);
    m_columns.Serialize(ar);
    // Rows are only what the file really holds paths for.
    m_highestRow = std::clamp(m_highestRow, -1, m_paths.GetSize() - 1);
}

int AddHistRecord(CHistMMAObject& history, const fw::CString& filePath, const HistFileHeader& header)
{
    fw::CString path = filePath;
    const int dot = path.ReverseFind('.');
    const int slash = path.ReverseFind('/');
    if (dot > slash)
        path = path.Left(dot);
    const int row = history.GetMaxIndex() + 1;
    history.SetPath(row, path);
    history.SetStartTime(row, header.start);
    history.SetStopTime(row, header.stop);
    history.SetTitle(row, header.title);
    history.SetCFFileName(row, header.cardFileName);
    return row;
}
