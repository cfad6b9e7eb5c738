#pragma once

// A channel of a data set: a compiled formula (the order) and an inner
// result tank that holds the channel's values, header and scale record.
// Measured channels use the same class with an empty formula, so that every
// formula reads every channel through one interface.
//
// Every data operation of the tank interface goes to the result tank. The
// data code (the header's kind field) chooses the result tank's class;
// without a result tank the operations answer as a tank without a header.

#include "common/formula/CalcFunctionTable.h"
#include "common/tank/DataTankObject.h"

#include <memory>

class CDataCalcu;
class CDataCalcuOrder;

class CCalcuDataTank : public CDataTankObject {
    FW_DECLARE_SERIAL(CCalcuDataTank)
public:
    CCalcuDataTank();
    ~CCalcuDataTank() override;

    // Only the result tank, as one object; the order is compiled again from
    // the settings list after loading.
    void Serialize(fw::CArchive& ar) override;

    // The base copy, then this tank's data code, so the copy gets a result
    // tank of the same kind.
    CDataTankObject* CreateEmpty() const override;
    void SetReportRangeErrors(bool on) override;

    void Init(int16_t dataType, int16_t format, bool withScale) override;
    void InitDefault(bool withScale) override;
    void Clear() override;
    bool Grow(int n, bool fill) override;
    bool SetSize(int n, bool fill) override;

    void SetDataType(int16_t type) override;
    int16_t GetDataType() const override;
    void SetFormat(int16_t format) override;
    int16_t GetFormat() const override;
    void SetTag(int16_t tag) override;
    int16_t GetTag() const override;
    int32_t GetKind() const override;
    // The data code: may replace the result tank (see the source).
    void SetKind(int32_t code) override;

    void* GetDataBuffer() override;
    CZELDataPoter* CreatePoter(int start, int count) override;
    void EndAccess() override;

    void SetDataCount(int count) override;
    int GetDataCount() const override;
    void SetName(const fw::CString& name) override;
    fw::CString GetName() const override;

    void UpdateMax(double x) override;
    void SetMax(double x) override;
    double GetMax() const override;
    void UpdateMin(double x) override;
    void SetMin(double x) override;
    double GetMin() const override;
    void SetFiniteAverage(double x) override;
    void SetAverage(double x) override;
    double GetAverage() const override;
    void SetUnit(const fw::CString& unit) override;
    fw::CString GetUnit() const override;
    void GetMaxText(fw::CString& out, bool useFormat) const override;
    void GetMinText(fw::CString& out, bool useFormat) const override;
    void GetAverageText(fw::CString& out, bool useFormat) const override;

    bool CopyHeaderTo(CDataTankObject* other) const override;
    bool CopyScaleTo(CDataTankObject* other) const override;

    bool SetValueText(int index, const fw::CString& text) override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValue(int index, double value) override;
    double GetValue(int index) override;
    bool FillRange(int start, int count) override;

    bool HasHeader() const override;
    bool IsNamed() const override;
    bool HasValues() const override;
    bool HasScale() const override;
    bool HasNameText() const override;
    bool CheckValue(double x) const override;
    void ReportIntRange(int32_t low, int32_t high, const char* pattern, unsigned messageId) const override;
    void ReportRealRange(double low, double high, int precision, unsigned messageId) const override;

    // A copy from this tank itself passes the result tank as the source.
    bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart) override;
    void ClearRange(int start, int count) override;
    bool TrimSize(int n) override;
    int GetLastFilledIndex() override;

    // --- operations of the calculated tank -------------------------------------
    virtual void DeleteOrder();
    // After the order was compiled: adapts the tank to the formula's result
    // (a float result tank); false when the stored values have another type
    // (error 8 in the order) or the change failed.
    virtual bool CommitFormula();
    virtual CDataCalcu* FindOperation(CalcRoutine routine);
    virtual CDataCalcu* FindChannelOperation();
    // The order's current result; HUGE_VAL without an order.
    virtual double GetResult();
    // The current result as text by the tank's data type; nothing without an order.
    virtual void FormatResult(fw::CString& out, int16_t formatOverride);
    virtual int AddUse();
    virtual int RemoveUse();
    virtual int GetUseCount() const;

    // --- not virtual ---------------------------------------------------------------
    CDataCalcuOrder* GetOrder() const { return m_order.get(); }
    // Takes the order over (replacing and deleting one it had).
    void SetOrder(std::unique_ptr<CDataCalcuOrder> order);
    CDataTankObject* GetResultTank() const { return m_result.get(); }
    // Replaces the result tank (the old one is deleted).
    void SetResultTank(std::unique_ptr<CDataTankObject> tank);

protected:
    // The result tank's class for a data code.
    virtual std::unique_ptr<CDataTankObject> MakeResultTank(int32_t code) const;
    // Gives the tank a load stamp, as every tank that loads takes one (the
    // lists tell shared slots by it); the result tank loads in its place.
    void StampAsLoaded();

    std::unique_ptr<CDataCalcuOrder> m_order;
    std::unique_ptr<CDataTankObject> m_result;
    int32_t m_useCount = 0;
};
