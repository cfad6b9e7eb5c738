#pragma once

// A data set: channel rows grouped by box, with one row numbering over all
// boxes. The row map turns a set-wide row into (box, row within the box);
// cells are read and written through that box's column tanks. Subclasses
// build the boxes from the measuring system.

#include "common/tank/BoxChannel.h"
#include "common/tank/DataBoxPropaty.h"
#include "framework/core/Collections.h"

#include <memory>

class CBoxArray;

class CDataBoxArray : public fw::CObject {
    FW_DECLARE_SERIAL(CDataBoxArray)
public:
    using BoxList = fw::CTypedPtrArray<fw::CObArray, CDataBoxPropaty*>;

    CDataBoxArray();
    // Deletes every box.
    ~CDataBoxArray() override;
    CDataBoxArray(const CDataBoxArray&) = delete;
    CDataBoxArray& operator=(const CDataBoxArray&) = delete;

    // The boxes as an object array (count, then each box with its class),
    // then the total rows; loading replaces the boxes and rebuilds the map.
    void Serialize(fw::CArchive& ar) override;

    // A row outside the map, or a box or column outside its array, raises
    // fw::CInvalidArgException and changes nothing.
    virtual bool SetChannelText(int row, int column, const fw::CString& text);
    virtual bool SetChannelValue(int row, int column, double value);
    // Fills the set from the measuring system; false here (the subclasses fill).
    virtual bool BuildFromSystem(CBoxArray* system);

    void GetChannelText(int row, int column, fw::CString& text);
    double GetChannelValue(int row, int column);
    // (box, row within the box) for every row of every box in order. More
    // rows than the total rows raise fw::CInvalidArgException (the map stays
    // as it was).
    void RebuildChannelMap();

    // --- building --------------------------------------------------------------
    // Takes over the box.
    void AddBox(CDataBoxPropaty* box);
    void DeleteBoxes();
    int GetBoxCount() const { return m_boxes ? m_boxes->GetSize() : 0; }
    // nullptr outside the array.
    CDataBoxPropaty* GetBox(int index) const;
    int GetTotalRows() const { return m_totalRows; }
    void SetTotalRows(int rows) { m_totalRows = rows; }
    const fw::CArray<tagBOXCH, tagBOXCH&>& GetRowMap() const { return m_rowMap; }

private:
    CDataBoxPropaty* BoxOfRow(int row, int& rowInBox) const;

    std::unique_ptr<BoxList> m_boxes;
    fw::CArray<tagBOXCH, tagBOXCH&> m_rowMap;
    int32_t m_totalRows = 0;
};
