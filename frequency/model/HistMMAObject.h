#pragma once

// The frequency history of a project: one row per frequency-data file that
// belongs to the project (the card file name of the record, its start and
// stop time, the test title and the file's path without extension). The
// project document owns the object and keeps it in its file.

#include "common/tank/DataTankList.h"
#include "framework/core/Collections.h"
#include "framework/core/DateTime.h"

#include <cstdint>

class CDateDataTank;
class CStringDataTank;

namespace fw {
class CArchive;
}

class CHistMMAObject {
public:
    CHistMMAObject();
    virtual ~CHistMMAObject();
    CHistMMAObject(const CHistMMAObject&) = delete;
    CHistMMAObject& operator=(const CHistMMAObject&) = delete;

    // Int32 highest row, the paths, the column tanks.
    virtual void Serialize(fw::CArchive& ar);

    // Takes the four columns of a loaded list, or makes them; the title
    // column.
    CStringDataTank* InitTanks();
    // Makes rows up to `row` exist in every column and in the paths.
    void Grow(int row);

    void SetPath(int row, const fw::CString& path);
    void SetStartTime(int row, const fw::COleDateTime& date);
    void SetStopTime(int row, const fw::COleDateTime& date);
    void SetTitle(int row, const fw::CString& title);
    void SetCFFileName(int row, const fw::CString& name);

    // Empty above the highest row; a negative row: fw::CInvalidArgException.
    fw::CString GetPath(int row) const;
    fw::CString GetTitle(int row) const;
    fw::CString GetCFFileName(int row) const;
    // Null status above the highest row.
    fw::COleDateTime GetStartTime(int row) const;
    fw::COleDateTime GetStopTime(int row) const;
    int GetMaxIndex() const { return m_highestRow; }

    // No rows; the column tanks stay in the list, emptied.
    void RemoveAll();

    CDataTankList& GetColumnTanks() { return m_columns; }

private:
    static void CheckRow(int row);
    fw::CString TextOf(CStringDataTank* tank, int row) const;
    fw::COleDateTime DateOf(CDateDataTank* tank, int row) const;
    bool HasColumns() const;
    void CreateColumns();

    int32_t m_highestRow = -1;
    CDataTankList m_columns;
    CStringDataTank* m_cardFileName = nullptr;
    CDateDataTank* m_start = nullptr;
    CDateDataTank* m_stop = nullptr;
    CStringDataTank* m_title = nullptr;
    fw::CStringArray m_paths;
};
