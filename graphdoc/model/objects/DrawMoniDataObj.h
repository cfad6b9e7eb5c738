#pragma once

// A numeric monitor on a graph page: the value of one channel of an open
// project or data document as a line of digits in a framed box. While the
// project measures, the box follows the channel's current value and paints
// its background in an alarm colour when the value leaves the channel's
// limits.

#include "common/base/LogFont.h"
#include "graphdoc/model/DrawMeasObj.h"
#include "graphdoc/model/objects/MoniDataPrf.h"

class CDataTankObject;
class CKivDocBase;

class CDrawMoniDataObj : public CDrawMeasObj {
    FW_DECLARE_SERIAL(CDrawMoniDataObj)
public:
    // The text of a monitor without a value.
    static constexpr const char* kTextNoValue = "******";

    // Loading: the defaults, unattached.
    CDrawMoniDataObj();
    // At a rectangle, attached to the default profile's document.
    explicit CDrawMoniDataObj(const fw::CRect& position);
    ~CDrawMoniDataObj() override;

    // The drawing-object part, font, text colour, value text, background,
    // then the profile; attaches after loading.
    void Serialize(fw::CArchive& ar) override;
    void SetFrameStyle(const CDrawObjPrf& style) override;
    void Draw(fw::CDC* dc) override;
    void OnEditProperties() override;
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    intptr_t OnUpdate(intptr_t hint, fw::CObject* hintObject) override;
    const fw::LOGFONT* GetFont() override { return &m_font; }
    fw::COLORREF GetTextColor() override { return m_textColor; }
    void SetTextColor(fw::COLORREF color) override { m_textColor = color; }
    // As wide as the digits in zeros, 1.5 text heights tall.
    void ResetSize() override;

    bool RefersToDocument(const CDocIdent* ident) override;
    bool IsMonitorUpdated() override;
    bool SetDisplayStep(int step) override;
    const CDataMeasPrf* GetDataSource() const override { return &m_profile; }

    // The current value (current and live) or the value at the display step.
    virtual void UpdateValueText(bool current);
    // The background for the channel's alarm state; answers the colour, or
    // the state when no alarm colour applies (0 without a document).
    virtual fw::COLORREF UpdateAlarmColor();

    // Binds to the profile's document and channel (nothing when the
    // document is not open).
    void AttachDocument();

    const CMoniDataPrf& GetProfile() const { return m_profile; }
    void SetProfile(const CMoniDataPrf& profile) { m_profile = profile; }
    CDataTankObject* GetTank() const { return m_pTank; }
    CKivDocBase* GetAttachedDocument() const { return m_pDataDoc; }
    const fw::CString& GetValueText() const { return m_strValue; }
    fw::COLORREF GetBackground() const { return m_background; }

    fw::LOGFONT m_font;
    fw::COLORREF m_textColor = 0;

protected:
    // The document's alarm state of the channel (a project's; 0 for others).
    virtual int QueryAlarmState();

private:
    void InitDefaults();
    void ReleaseTank();
    // Hints 13 and 14; false when the hint is not the monitor's.
    bool MoveChannel(intptr_t hint, const fw::CObject* hintObject);
    void Reattach();

    CMoniDataPrf m_profile;
    CDataTankObject* m_pTank = nullptr;
    CKivDocBase* m_pDataDoc = nullptr;
    fw::CString m_strValue = kTextNoValue;
    fw::COLORREF m_background = 0;
};
