#pragma once

// The base of every drawing object that takes its data from a data
// document (data graphs, numeric monitors, frequency graphs): four
// questions about the object's data source on top of the drawing object.

#include "common/base/DocIdent.h"
#include "docbase/graphpage/DrawObj.h"
#include "framework/core/CString.h"

// Where a measured object takes its data: the document's identifier and its
// title as last seen (shown while the document is not open).
struct CDataMeasPrf {
    CDocIdent m_docIdent;
    fw::CString m_strTitle;
};

class CDrawMeasObj : public CDrawObj {
    FW_DECLARE_SERIAL(CDrawMeasObj)
public:
    CDrawMeasObj() = default;
    explicit CDrawMeasObj(const fw::CRect& position) : CDrawObj(position) {}
    ~CDrawMeasObj() override = default;

    // Copies the drawing-object part.
    CDrawMeasObj& Assign(const CDrawMeasObj& other);

    virtual bool RefersToDocument(const CDocIdent* ident) { return false; }
    virtual bool IsMonitorUpdated() { return false; }
    virtual bool SetDisplayStep(int step) { return false; }
    virtual const CDataMeasPrf* GetDataSource() const { return nullptr; }
};
