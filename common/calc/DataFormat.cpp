#include "common/calc/DataFormat.h"

#include "common/base/ValueFormat.h"

#include <atomic>
#include <iterator>

namespace {

constexpr int16_t kCodeOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 50, 51, 52, 53, 54, 55, 56, 57, 107, 109, 100, 101};

std::atomic<const CDataFormat*> g_mainTable{nullptr};

} // namespace

std::vector<CDataFormat::MenuItem> CDataFormat::DefaultMenuItems()
{
    return {
        {"0", 32798},       {"0.0", 32799},      {"0.00", 32800},      {"0.000", 32801},
        {"0.0000", 32802},  {"0.00000", 32803},  {"0.000000", 32804},  {"0.0000000", 32805},
    };
}

CDataFormat::CDataFormat() { Build(DefaultMenuItems()); }

CDataFormat::CDataFormat(const std::vector<MenuItem>& items) { Build(items); }

void CDataFormat::Build(const std::vector<MenuItem>& items)
{
    const size_t n = std::min(items.size(), std::size(kCodeOrder));
    for (size_t i = 0; i < n; ++i) {
        m_texts[kCodeOrder[i]] = items[i].text;
        m_codes[items[i].command] = kCodeOrder[i];
    }
    m_texts[kFormatNone] = fw::CString();
    m_codes[0] = kFormatNone;
}

void CDataFormat::GetFormatText(int16_t code, fw::CString& text) const
{
    const auto it = m_texts.find(code);
    text = it != m_texts.end() ? it->second : fw::CString();
}

fw::CString CDataFormat::GetFormatText(int16_t code) const
{
    fw::CString text;
    GetFormatText(code, text);
    return text;
}

int16_t CDataFormat::GetFormatCode(unsigned commandId) const
{
    const auto it = m_codes.find(commandId);
    return it != m_codes.end() ? it->second : kFormatNone;
}

int16_t CDataFormat::FindFormatCode(const fw::CString& text) const
{
    for (const auto& [code, t] : m_texts)
        if (t == text)
            return code;
    return 0;
}

const CDataFormat& MainFormatTable()
{
    if (const CDataFormat* table = g_mainTable.load())
        return *table;
    static const CDataFormat builtIn;
    return builtIn;
}

void InstallMainFormatTable(const CDataFormat* table) { g_mainTable.store(table); }
