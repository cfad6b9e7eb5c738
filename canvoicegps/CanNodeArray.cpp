#include "canvoicegps/CanNodeArray.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CCanNodeArray, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr size_t kMinObjectBytes = 2;

int32_t BaseCodeOf(int entry)
{
    return (entry + 1) * 100;
}

} // namespace

CCanNodeArray::CCanNodeArray() = default;
CCanNodeArray::~CCanNodeArray() = default;

CCanNodeArray& CCanNodeArray::operator=(const CCanNodeArray& other)
{
    if (this == &other)
        return *this;
    for (int i = 0; i < kEntries; ++i) {
        const C463CanMesNode* source = other.m_entries[static_cast<size_t>(i)].get();
        std::unique_ptr<C463CanMesNode> copy;
        if (source) {
            copy = std::make_unique<C463CanMesNode>();
            *copy = *source;
        }
        m_entries[static_cast<size_t>(i)] = std::move(copy);
    }
    return *this;
}

void CCanNodeArray::CheckEntry(int entry) const
{
    if (entry < 0 || entry >= kEntries)
        fw::ThrowInvalidArgException();
}

C463CanMesNode* CCanNodeArray::GetAt(int entry) const
{
    CheckEntry(entry);
    return m_entries[static_cast<size_t>(entry)].get();
}

void CCanNodeArray::Put(int entry, std::unique_ptr<C463CanMesNode> message)
{
    message->Signals().SetBaseCode(BaseCodeOf(entry));
    m_entries[static_cast<size_t>(entry)] = std::move(message);
}

void CCanNodeArray::RemoveAll()
{
    for (auto& entry : m_entries)
        entry.reset();
}

int CCanNodeArray::CountMessages(bool send) const
{
    int count = 0;
    for (const auto& entry : m_entries)
        if (entry && entry->IsSend() == send)
            ++count;
    return count;
}

C463CanMesNode* CCanNodeArray::AddMessage(bool send)
{
    if (send && CountSendMessages() >= kMaxSendMessages)
        return nullptr;
    for (int i = 0; i < kEntries; ++i) {
        if (m_entries[static_cast<size_t>(i)])
            continue;
        auto message = std::make_unique<C463CanMesNode>();
        message->SetDirection(send);
        Put(i, std::move(message));
        return m_entries[static_cast<size_t>(i)].get();
    }
    return nullptr;
}

int CCanNodeArray::Detach(C463CanMesNode* message)
{
    for (int i = 0; i < kEntries; ++i) {
        if (message && m_entries[static_cast<size_t>(i)].get() == message) {
            m_entries[static_cast<size_t>(i)].release();
            return i;
        }
    }
    return -1;
}

void CCanNodeArray::RemoveDirection(bool send)
{
    for (auto& entry : m_entries)
        if (entry && entry->IsSend() == send)
            entry.reset();
}

double CCanNodeArray::GetValue(int entry, int code) const
{
    if (entry < 0)
        fw::ThrowInvalidArgException();
    if (entry >= kEntries || !m_entries[static_cast<size_t>(entry)])
        return HUGE_VAL;
    return m_entries[static_cast<size_t>(entry)]->GetValue(code);
}

const char* CCanNodeArray::GetText(int entry, int code, fw::CString& text) const
{
    if (entry < 0)
        fw::ThrowInvalidArgException();
    if (entry >= kEntries || !m_entries[static_cast<size_t>(entry)]) {
        text.Empty();
        return text.c_str();
    }
    return m_entries[static_cast<size_t>(entry)]->GetText(code, text);
}

bool CCanNodeArray::SetValue(int entry, int code, double value)
{
    C463CanMesNode* message = GetAt(entry);
    return message && message->SetValue(code, value);
}

bool CCanNodeArray::SetText(int entry, int code, const char* text)
{
    C463CanMesNode* message = GetAt(entry);
    return message && message->SetText(code, text);
}

bool CCanNodeArray::IsAttributeValid(int entry, int code) const
{
    if (entry < 0)
        fw::ThrowInvalidArgException();
    if (entry >= kEntries)
        return true;
    const C463CanMesNode* message = m_entries[static_cast<size_t>(entry)].get();
    return message && message->IsAttributeValid(code);
}

C463CanMesSignal* CCanNodeArray::FindSignal(int32_t code) const
{
    for (const auto& entry : m_entries)
        if (entry)
            if (C463CanMesSignal* signal = entry->Signals().FindByCode(code))
                return signal;
    return nullptr;
}

C463CanMesSignal* CCanNodeArray::FindSignalBySlot(int source, bool send) const
{
    for (const auto& entry : m_entries)
        if (entry && entry->IsSend() == send)
            if (C463CanMesSignal* signal = entry->Signals().FindBySource(source))
                return signal;
    return nullptr;
}

void CCanNodeArray::MarkDuplicateId(const C463CanMesNode* message)
{
    if (!message)
        return;
    for (auto& entry : m_entries)
        if (entry && entry.get() != message && entry->IsSend() &&
            entry->GetIdentifier() == message->GetIdentifier())
            entry->SetDuplicate(true);
}

void CCanNodeArray::ClearDuplicateMarks()
{
    for (auto& entry : m_entries)
        if (entry)
            entry->SetDuplicate(false);
}

void CCanNodeArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(kEntries);
        for (const auto& entry : m_entries)
            ar.WriteObject(entry.get());
        return;
    }
    const uint64_t count = ar.ReadCount(kMinObjectBytes);
    if (count > kEntries)
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    std::array<std::unique_ptr<C463CanMesNode>, kEntries> loaded;
    for (uint64_t i = 0; i < count; ++i) {
        auto* message = static_cast<C463CanMesNode*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(C463CanMesNode)));
        if (!message)
            continue;
        loaded[static_cast<size_t>(i)].reset(message);
    }
    m_entries = std::move(loaded);
    for (int i = 0; i < kEntries; ++i)
        if (m_entries[static_cast<size_t>(i)])
            m_entries[static_cast<size_t>(i)]->Signals().SetBaseCode(BaseCodeOf(i));
}
