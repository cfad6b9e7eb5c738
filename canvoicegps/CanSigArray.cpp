#include "canvoicegps/CanSigArray.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanBitLayout.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CCanSigArray, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {
// Each stored signal takes at least its two-byte object tag.
constexpr size_t kMinObjectBytes = 2;
} // namespace

CCanSigArray::CCanSigArray() = default;
CCanSigArray::~CCanSigArray() = default;

CCanSigArray& CCanSigArray::operator=(const CCanSigArray& other)
{
    if (this == &other)
        return *this;
    m_signals.clear();
    for (const auto& signal : other.m_signals)
        m_signals.push_back(signal ? std::make_unique<C463CanMesSignal>(*signal) : nullptr);
    m_baseCode = other.m_baseCode;
    m_frameBits = other.m_frameBits;
    m_send = other.m_send;
    m_layoutOk = other.m_layoutOk;
    m_bitMap = other.m_bitMap;
    return *this;
}

void CCanSigArray::CheckIndex(int index) const
{
    if (index < 0)
        fw::ThrowInvalidArgException();
}

C463CanMesSignal* CCanSigArray::GetAt(int index) const
{
    CheckIndex(index);
    return index < GetSize() ? m_signals[static_cast<size_t>(index)].get() : nullptr;
}

double CCanSigArray::GetValue(int index, int code) const
{
    const C463CanMesSignal* signal = GetAt(index);
    return signal ? signal->GetValue(code) : HUGE_VAL;
}

const char* CCanSigArray::GetText(int index, int code, fw::CString& text) const
{
    if (const C463CanMesSignal* signal = GetAt(index))
        return signal->GetText(code, text);
    text.Empty();
    return text.c_str();
}

bool CCanSigArray::SetValue(int index, int code, double value)
{
    CheckIndex(index);
    if (index >= GetSize())
        fw::ThrowInvalidArgException();
    C463CanMesSignal* signal = m_signals[static_cast<size_t>(index)].get();
    if (!signal || !signal->SetValue(code, value))
        return false;
    UpdateBitUsage();
    return true;
}

bool CCanSigArray::SetText(int index, int code, const char* text)
{
    CheckIndex(index);
    if (index >= GetSize())
        fw::ThrowInvalidArgException();
    C463CanMesSignal* signal = m_signals[static_cast<size_t>(index)].get();
    if (!signal || !signal->SetText(code, text))
        return false;
    UpdateBitUsage();
    return true;
}

bool CCanSigArray::IsValid(int index, int code) const
{
    CheckIndex(index);
    if (index >= GetSize())
        return true;
    const C463CanMesSignal* signal = m_signals[static_cast<size_t>(index)].get();
    switch (code) {
    case canattr::kStartBit:
    case canattr::kLength:
    case canattr::kLsbPosition:
        return GetLayoutFlag(index);
    case canattr::kSource:
        if (!signal)
            return true;
        return signal->GetSource() >= 0 && !(signal->IsSend() && signal->GetSource() < 1);
    default:
        return true;
    }
}

bool CCanSigArray::IsCodeUsed(int32_t code) const
{
    for (const auto& signal : m_signals)
        if (signal && signal->GetCode() == code)
            return true;
    return false;
}

void CCanSigArray::AddSignal(C463CanMesSignal* signal)
{
    if (!signal)
        return;
    int32_t code = m_baseCode;
    while (IsCodeUsed(code))
        ++code;
    signal->SetCode(code);
    signal->SetFrameBits(static_cast<int16_t>(m_frameBits));
    signal->SetSend(m_send);
    m_signals.emplace_back(signal);
    UpdateBitUsage();
}

C463CanMesSignal* CCanSigArray::RemoveSignal(C463CanMesSignal* signal)
{
    for (auto it = m_signals.begin(); it != m_signals.end(); ++it) {
        if (it->get() == signal && signal) {
            C463CanMesSignal* taken = it->release();
            m_signals.erase(it);
            UpdateBitUsage();
            return taken;
        }
    }
    return nullptr;
}

void CCanSigArray::RemoveAll()
{
    m_signals.clear();
    UpdateBitUsage();
}

void CCanSigArray::SetFrameBits(int bits)
{
    m_frameBits = bits;
    for (auto& signal : m_signals)
        if (signal)
            signal->SetFrameBits(static_cast<int16_t>(bits));
    UpdateBitUsage();
}

void CCanSigArray::SetDirection(bool send)
{
    m_send = send;
    for (auto& signal : m_signals)
        if (signal)
            signal->SetSend(send);
}

bool CCanSigArray::GetLayoutFlag(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_layoutOk.size() ? m_layoutOk[static_cast<size_t>(index)]
                                                                          : true;
}

int CCanSigArray::GetBitUser(int bit) const
{
    return bit >= 0 && bit < kMapBits ? m_bitMap[static_cast<size_t>(bit)] : 0;
}

void CCanSigArray::UpdateBitUsage()
{
    m_layoutOk.assign(m_signals.size(), true);
    m_bitMap.fill(0);
    // The frame never exceeds the map, whatever a damaged file says.
    const int frameBits = std::min<int>(m_frameBits, kMapBits);
    for (size_t k = 0; k < m_signals.size(); ++k) {
        C463CanMesSignal* signal = m_signals[k].get();
        if (!signal)
            continue;
        signal->UpdateBitMask();
        if (signal->GetLength() > m_frameBits)
            m_layoutOk[k] = false;
        const bool motorola = signal->GetByteOrder() == canbits::kMotorola;
        int bit = signal->GetStartBit();
        for (int n = 0; n < signal->GetLength(); ++n, bit = motorola ? canbits::MotorolaNext(bit) : bit + 1) {
            if (bit < 0) {
                m_layoutOk[k] = false;
                continue;
            }
            if (bit >= frameBits) {
                m_layoutOk[k] = false;
                break;
            }
            const int user = m_bitMap[static_cast<size_t>(bit)];
            if (user != 0) {
                m_layoutOk[k] = false;
                m_layoutOk[static_cast<size_t>(user - 1)] = false;
            }
            m_bitMap[static_cast<size_t>(bit)] = static_cast<int16_t>(k + 1);
        }
    }
}

void CCanSigArray::DecodeFrame(uint64_t intel, uint64_t motorola, int index)
{
    for (auto& signal : m_signals)
        if (signal)
            signal->Decode(intel, motorola, index);
}

C463CanMesSignal* CCanSigArray::FindByCode(int32_t code) const
{
    for (const auto& signal : m_signals)
        if (signal && signal->GetCode() == code)
            return signal.get();
    return nullptr;
}

C463CanMesSignal* CCanSigArray::FindBySource(int source) const
{
    for (const auto& signal : m_signals)
        if (signal && signal->GetSource() == source)
            return signal.get();
    return nullptr;
}

void CCanSigArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_signals.size());
        for (const auto& signal : m_signals)
            ar.WriteObject(signal.get());
        return;
    }
    const uint64_t count = ar.ReadCount(kMinObjectBytes);
    std::vector<std::unique_ptr<C463CanMesSignal>> loaded;
    for (uint64_t i = 0; i < count; ++i) {
        auto* signal = static_cast<C463CanMesSignal*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(C463CanMesSignal)));
        loaded.emplace_back(signal);
    }
    m_signals = std::move(loaded);
    UpdateBitUsage();
}
