#pragma once

// The base of every data tank: one typed column of values (a measured or
// calculated channel, a time axis, a settings column). It holds what all
// tanks share (header, optional scale record, reference count, range-message
// switch) and defines, as virtual operations, everything the rest of the
// program does with values by index without knowing the tank's class.
//
// Operations that touch values (GetValue, GetValueText, GetDataBuffer,
// CreatePoter ...) are not const: the cache tanks load a window of their
// file to answer them.

#include "common/base/ValueFormat.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cmath>
#include <cstdint>
#include <memory>

namespace fw {
class CArchive;
}

class CZELDataPoter;

// Data type codes of the header.
enum : int16_t {
    kTankTypeLong = 0,    // signed 32-bit
    kTankTypeUnLong = 1,  // unsigned 32-bit
    kTankTypeFloat = 2,
    kTankTypeShort = 3,   // signed 16-bit
    kTankTypeBool = 4,    // 32-bit 0 or 1
    kTankTypeText = 5,
    kTankTypeText2 = 6,   // text, copied like 5
    kTankTypeTime = 7,    // start + index * step, nothing stored
    kTankTypeDouble = 8,  // double and date tanks
};

// The tanks' names for the two general display codes.
inline constexpr int16_t kFormatGeneral = kFormatNone;          // "%g"
inline constexpr int16_t kFormatFullPrecision = kFormatGeneral18; // 18 significant digits

// The kind that marks a measuring channel that is switched off.
inline constexpr int32_t kTankKindChannelOff = -1000;

// Prompts of the range messages (a lower and an upper bound as %1 and %2).
inline constexpr unsigned kIdpIntRange = 61714;
inline constexpr unsigned kIdpRealRange = 61715;

struct tDataTankHeader {
    int16_t dataType = 0;
    int16_t format = 0;
    int16_t tag = 0;
    fw::CString name;
    int32_t kind = 0;
    int32_t count = 0;
};

// A maximum, minimum or average that is not set is HUGE_VAL.
struct tDataTankScale {
    double max = HUGE_VAL;
    double min = HUGE_VAL;
    double average = HUGE_VAL;
    fw::CString unit;
};

class CDataTankObject : public fw::CObject {
    FW_DECLARE_SERIAL(CDataTankObject)
public:
    CDataTankObject();
    ~CDataTankObject() override;
    CDataTankObject(const CDataTankObject&) = delete;
    CDataTankObject& operator=(const CDataTankObject&) = delete;

    // Base part of the archive form; derived classes append theirs.
    void Serialize(fw::CArchive& ar) override;

    // A new tank of the same class (through the run-time class); caller owns it.
    virtual CDataTankObject* CreateEmpty() const;
    // Construction values without deleting anything; only for a fresh object.
    virtual void InitMembers();
    virtual void SetReportRangeErrors(bool on);

    // A tank starts with one reference, its creator's. Release answers true
    // when the last one went; the caller then deletes the tank.
    virtual void AddRef();
    virtual bool Release();
    virtual int GetRefCount() const;

    // A new header (empty name, tag and kind 0) and no values; a new scale
    // record when withScale is set, else an existing one stays with its unit.
    virtual void Init(int16_t dataType, int16_t format, bool withScale);
    virtual void InitDefault(bool withScale);
    virtual void Clear();
    // Hold at least / exactly n values; new values get the fill marker when
    // fill is set. The base holds no values and answers false.
    virtual bool Grow(int n, bool fill);
    virtual bool SetSize(int n, bool fill);

    virtual void SetDataType(int16_t type);
    virtual int16_t GetDataType() const;
    virtual void SetFormat(int16_t format);
    virtual int16_t GetFormat() const;
    virtual void SetTag(int16_t tag);
    virtual int16_t GetTag() const;
    virtual int32_t GetKind() const;
    virtual void SetKind(int32_t kind);

    // The first element of the value array; nullptr when the tank has none.
    virtual void* GetDataBuffer();
    // An accessor for `count` values from `start` (negative: to the end);
    // nullptr for an empty range or a tank without accessors. Caller owns it.
    // The tank must not change size while the accessor lives.
    virtual CZELDataPoter* CreatePoter(int start, int count);
    // Called by an accessor of this tank when it is destroyed.
    virtual void EndAccess();

    virtual void SetDataCount(int count);
    virtual int GetDataCount() const;
    virtual void SetName(const fw::CString& name);
    virtual fw::CString GetName() const;

    virtual void UpdateMax(double x);
    virtual void SetMax(double x);
    virtual double GetMax() const;
    virtual void UpdateMin(double x);
    virtual void SetMin(double x);
    virtual double GetMin() const;
    virtual void SetFiniteAverage(double x);
    virtual void SetAverage(double x);
    virtual double GetAverage() const;
    virtual void SetUnit(const fw::CString& unit);
    virtual fw::CString GetUnit() const;

    // The scale values as text: the tank's format, or the class's
    // unformatted code when useFormat is false.
    virtual void GetMaxText(fw::CString& out, bool useFormat) const;
    virtual void GetMinText(fw::CString& out, bool useFormat) const;
    virtual void GetAverageText(fw::CString& out, bool useFormat) const;

    virtual bool CopyHeaderTo(CDataTankObject* other) const;
    // Widens other's maximum and minimum to include this tank's.
    virtual bool CopyScaleTo(CDataTankObject* other) const;

    virtual bool SetValueText(int index, const fw::CString& text);
    // Empty text for an empty value.
    virtual void GetValueText(int index, fw::CString& out, bool useFormat);
    virtual bool SetValue(int index, double value);
    virtual double GetValue(int index);
    // The existing values of [start, start + count) get the fill marker.
    virtual bool FillRange(int start, int count);

    virtual bool HasHeader() const;
    virtual bool IsNamed() const;
    virtual bool HasValues() const;
    virtual bool HasScale() const;
    virtual bool HasNameText() const;

    // Whether a value fits the tank's value type; shows the range message
    // when it does not and the switch is on.
    virtual bool CheckValue(double x) const;
    // The pattern prints the bounds ("%ld", "%lu"); 32-bit values as the
    // files hold them, so "%lu" of -1 reads 4294967295.
    virtual void ReportIntRange(int32_t low, int32_t high, const char* pattern, unsigned messageId) const;
    virtual void ReportRealRange(double low, double high, int precision, unsigned messageId) const;

    virtual bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart);
    virtual void ClearRange(int start, int count);
    // Cuts the tank to n values, or to fewer when its values end earlier.
    virtual bool TrimSize(int n);
    // The last index whose text is not empty; -1 when none.
    virtual int GetLastFilledIndex();

    // --- not virtual ---------------------------------------------------------
    bool GetReportRangeErrors() const { return m_reportRangeErrors; }
    const tDataTankHeader* Header() const { return m_header.get(); }
    const tDataTankScale* Scale() const { return m_scale.get(); }

    // Lists tell a tank read by this call of ReadObject from one the archive
    // handed back as read before (a second slot of a shared tank): every tank
    // that loads takes a stamp from this counter.
    static uint64_t LoadStampNow();
    uint64_t GetLoadStamp() const { return m_loadStamp; }

protected:
    // The unformatted display code of the base.
    virtual int16_t GetUnformattedCode() const;
    void FormatScaleValue(double x, fw::CString& out, bool useFormat) const;

    bool m_reportRangeErrors = false;
    std::unique_ptr<tDataTankHeader> m_header;
    std::unique_ptr<tDataTankScale> m_scale;
    int16_t m_refCount = 1;

private:
    uint64_t m_loadStamp = 0;
};

// Drops one reference and deletes the tank when it was the last; null is ignored.
void ReleaseTank(CDataTankObject* tank);
