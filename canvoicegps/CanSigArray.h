#pragma once

// The signals of one CAN message (owned), with the bit map that tells
// which signal uses each bit of the frame and a layout flag per signal:
// true when the signal's bits lie inside the frame and overlap no other's.

#include "canvoicegps/CanMesSignal.h"
#include "framework/core/Object.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CCanSigArray : public fw::CObject {
    FW_DECLARE_SERIAL(CCanSigArray)
public:
    static constexpr int kMapBits = 64;

    CCanSigArray();
    ~CCanSigArray() override;
    CCanSigArray(const CCanSigArray&) = delete;
    // Deep copy of the signals (no tanks), base code, frame bits, direction,
    // flags and map.
    CCanSigArray& operator=(const CCanSigArray& other);

    // The framework's object-array form: a count, then each signal.
    void Serialize(fw::CArchive& ar) override;

    int GetSize() const { return static_cast<int>(m_signals.size()); }
    // nullptr beyond the end or for an empty entry; a negative index raises
    // the invalid-argument exception.
    C463CanMesSignal* GetAt(int index) const;

    // The signal's attribute; HUGE_VAL or an empty text beyond the end or
    // for an empty entry.
    double GetValue(int index, int code) const;
    const char* GetText(int index, int code, fw::CString& text) const;
    // The signal's setter, then the bit usage; beyond the end raises the
    // invalid-argument exception, an empty entry answers false.
    bool SetValue(int index, int code, double value);
    bool SetText(int index, int code, const char* text);
    // Valid beyond the end; 212, 213 and 221 give the layout flag; 220 is
    // invalid for a send signal without a source and for a negative source.
    bool IsValid(int index, int code) const;

    // Takes ownership; the signal gets the smallest free code from the base
    // code up, the array's frame bits and direction.
    void AddSignal(C463CanMesSignal* signal);
    // Takes the signal out without deleting it; the caller owns it then.
    // nullptr when it is not in the array.
    C463CanMesSignal* RemoveSignal(C463CanMesSignal* signal);
    void RemoveAll();

    void SetFrameBits(int bits);
    int GetFrameBits() const { return m_frameBits; }
    void SetBaseCode(int32_t code) { m_baseCode = code; }
    int32_t GetBaseCode() const { return m_baseCode; }
    // Sets the send flag of the array and of every signal.
    void SetDirection(bool send);
    bool GetDirection() const { return m_send; }

    // Recomputes the layout flags and the bit map (and each signal's masks).
    void UpdateBitUsage();
    bool GetLayoutFlag(int index) const;
    // The 1-based index of the signal that uses a bit 0..63, 0 when free.
    int GetBitUser(int bit) const;

    void DecodeFrame(uint64_t intel, uint64_t motorola, int index);

    C463CanMesSignal* FindByCode(int32_t code) const;
    C463CanMesSignal* FindBySource(int source) const;

private:
    void CheckIndex(int index) const;
    bool IsCodeUsed(int32_t code) const;

    std::vector<std::unique_ptr<C463CanMesSignal>> m_signals;
    std::vector<bool> m_layoutOk;
    int32_t m_baseCode = 100;
    int32_t m_frameBits = 16;
    bool m_send = false;
    std::array<int16_t, kMapBits> m_bitMap{};
};
