#pragma once

// One signal of a CAN message: a bit field of the frame with a scaling to
// an engineering value (physical = raw x factor + offset). A receive
// message's signal may feed one of the unit's eight input-CH data slots; a
// send message's signal names the control-unit channel whose value it sends.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

class CDataTankObject;

class C463CanMesSignal : public fw::CObject {
    FW_DECLARE_SERIAL(C463CanMesSignal)
public:
    C463CanMesSignal();
    ~C463CanMesSignal() override;
    // Copies every setting (code, source, frame bits and send flag too), not
    // the value tank.
    C463CanMesSignal(const C463CanMesSignal& other);
    C463CanMesSignal& operator=(const C463CanMesSignal& other);

    void Serialize(fw::CArchive& ar) override;
    // Initial values; a value tank still held is released.
    void Reset();

    // Attributes 209-221 (CanAttributes.h). Codes outside read as HUGE_VAL
    // or an empty text and are refused by the setters.
    double GetValue(int code) const;
    const char* GetText(int code, fw::CString& text) const;
    bool SetValue(int code, double value);
    bool SetText(int code, const char* text);

    // The bit range and masks Decode uses, from start bit, length, byte
    // order and frame bits; a layout that has no place in a 64-bit word
    // leaves the signal undecodable.
    void UpdateBitMask();
    // The physical value of a frame: `intel` is the frame as a
    // little-endian word, `motorola` as a big-endian number of its bytes.
    // HUGE_VAL when the signal cannot be decoded.
    double DecodeValue(uint64_t intel, uint64_t motorola) const;
    // DecodeValue stored at `index` of the value tank (when there is one).
    void Decode(uint64_t intel, uint64_t motorola, int index);

    // The fields of a signal line after its keyword:
    // "name : start|length@order sign (factor,offset) [min|max] \"unit\" decimals source".
    // A field that is missing or does not read keeps its value. False, with
    // the signal unchanged, when the start bit, length or byte order cannot
    // describe bits of a 64-bit frame.
    bool ParseSgLine(const char* text);
    // The same fields, as the writer puts them after the keyword.
    fw::CString FormatSgLine() const;

    // The value tank is referenced, not owned: the signal takes one
    // reference and drops it when reset or destroyed.
    void AttachValueTank(CDataTankObject* tank);
    CDataTankObject* GetValueTank() const { return m_valueTank; }

    bool IsSend() const { return m_send; }
    void SetSend(bool send) { m_send = send; }
    int16_t GetFrameBits() const { return m_frameBits; }
    void SetFrameBits(int16_t bits) { m_frameBits = bits; }
    int32_t GetCode() const { return m_code; }
    void SetCode(int32_t code) { m_code = code; }
    const fw::CString& GetName() const { return m_name; }
    int16_t GetStartBit() const { return m_startBit; }
    int16_t GetLength() const { return m_length; }
    int16_t GetByteOrder() const { return m_byteOrder; }
    char GetSign() const { return m_sign; }
    double GetFactor() const { return m_factor; }
    double GetOffset() const { return m_offset; }
    // ASCII form of the engineering unit; one blank for none.
    const fw::CString& GetUnit() const { return m_unit; }
    int16_t GetSource() const { return m_source; }
    void SetSource(int16_t source) { m_source = source; }
    int16_t GetDecimals() const { return m_decimals; }
    // The signal's least significant bit: the start bit of an Intel signal.
    int GetLsbPosition() const;

private:
    void CopySettings(const C463CanMesSignal& other);
    void ReleaseValueTank();
    bool SetNumber(int code, double value);
    bool SetLength(double value);
    bool SetLsbPosition(double value);
    int UnitIndex() const;

    bool m_send = false;
    int16_t m_frameBits = 16;
    int32_t m_code = 0;
    fw::CString m_name;
    int16_t m_startBit = 0;
    int16_t m_length = 1;
    int16_t m_byteOrder = 1;
    char m_sign = '-';
    double m_factor = 1.0;
    double m_offset = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
    fw::CString m_unit = " ";
    int16_t m_source = 0;
    int16_t m_decimals = 0;
    CDataTankObject* m_valueTank = nullptr;
    int32_t m_firstBit = 0;
    int32_t m_lastBit = 0;
    uint64_t m_mask = 0;
    uint64_t m_signMask = 0;
    bool m_decodable = false;
};
