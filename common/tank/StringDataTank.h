#pragma once

// A column of texts (data type 5). SetValue stores the formatted number.

#include "common/tank/DataTankObject.h"

#include <vector>

class CStringDataTank : public CDataTankObject {
    FW_DECLARE_SERIAL(CStringDataTank)
public:
    CStringDataTank();

    // Base part, fill text, then the texts (count, then each string).
    void Serialize(fw::CArchive& ar) override;

    void InitMembers() override;
    void Clear() override;
    // False after the out-of-memory message when the texts cannot grow.
    bool Grow(int n, bool fill) override;
    bool SetSize(int n, bool fill) override;
    bool SetValueText(int index, const fw::CString& text) override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValue(int index, double value) override;
    // The whole range must lie within the texts.
    bool FillRange(int start, int count) override;
    // Text by text; back to front when moving further down, so that a move
    // inside the tank reads every text before overwriting it.
    bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart) override;

    virtual void SetFillText(const fw::CString& text);
    virtual int GetArraySize();
    virtual bool ResizeArray(int n);
    // Outside the texts throws fw::CInvalidArgException.
    virtual void GetAt(int index, fw::CString& out);
    virtual void SetAt(int index, const fw::CString& text);
    virtual void SerializeValues(fw::CArchive& ar);

    const fw::CString& GetFillText() const { return m_fillText; }

private:
    std::vector<fw::CString> m_texts;
    fw::CString m_fillText;
};
