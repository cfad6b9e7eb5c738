// The frequency-count entries of the measuring system: one per system
// channel, described by that frequency number's settings and filled from
// its control unit while it measures.

#include "instrument/system/BoxArray.h"

#include "common/base/ValueParse.h"
#include "common/base/ZelException.h"
#include "framework/core/Numbers.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/HistCount.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kCodeInput = 103;
constexpr int kCodeRawFullScale = 104;
constexpr int kCodeRawHysteresis = 105;
constexpr int kCodeOperation = 106;
constexpr int kCodeTimeBase = 107;
constexpr int kCodeRawCrossLevel = 108;
constexpr int kCodeMinusSlices = 109;
constexpr int kCodePlusSlices = 110;
constexpr int kCodeFullScale = 2003;
constexpr int kCodeHysteresis = 2005;
constexpr int kCodeCrossLevel = 2007;
constexpr int kCodeCoefficient = 24;

int ToIntOr(double value, int fallback)
{
    return std::isfinite(value) && std::fabs(value) < 2147483647.0 ? static_cast<int>(value) : fallback;
}

int16_t ToShort(double value) { return static_cast<int16_t>(ToIntOr(value, 0)); }

// Milliseconds of a time base: the number its option text starts with.
float SampleTimeOf(int timeBase)
{
    if (timeBase < 1)
        return 1.0f;
    return static_cast<float>(fw::Atof(CKivMeter::TimeBaseName(timeBase)));
}

} // namespace

void CBoxArray::BuildHistCounts()
{
    if (m_hist)
        m_hist->RemoveAll();
    else
        m_hist = std::make_unique<CHistCountArray>();
    const int channels = GetBoxCount() * kChannelsPerBox;
    for (int n = 0; n < channels; ++n) {
        CHistCountObj* entry = nullptr;
        try {
            BuildHistCount(entry, n);
        } catch (...) {
            ReleaseHistCount(entry);
            throw;
        }
        m_hist->Add(entry);
    }
}

void CBoxArray::BuildHistCount(CHistCountObj*& entry, int n)
{
    const int input = ToIntOr(GetChannelValue(n, kCodeInput), 0);
    if (input == 0) {
        ReleaseHistCount(entry);
        entry = nullptr;
        return;
    }
    if (!entry)
        entry = new CHistCountObj;
    entry->m_inputChannel = static_cast<int16_t>(input);
    entry->m_name = fw::Format("DN_%d", n + 1);
    entry->m_operation = ToShort(GetChannelValue(n, kCodeOperation));
    entry->m_crossLevel = static_cast<float>(GetChannelValue(n, kCodeCrossLevel));
    entry->m_fullScale = static_cast<float>(GetChannelValue(n, kCodeFullScale));
    entry->m_hysteresis = static_cast<float>(GetChannelValue(n, kCodeHysteresis));
    entry->m_rawCrossLevel = ToShort(GetChannelValue(n, kCodeRawCrossLevel));
    entry->m_rawFullScale = ToShort(GetChannelValue(n, kCodeRawFullScale));
    entry->m_rawHysteresis = ToShort(GetChannelValue(n, kCodeRawHysteresis));
    entry->m_sampleTime = SampleTimeOf(ToIntOr(GetChannelValue(n, kCodeTimeBase), 0));
    entry->m_plusSlices = ToShort(GetChannelValue(n, kCodePlusSlices));
    entry->m_minusSlices = ToShort(GetChannelValue(n, kCodeMinusSlices));
    GetChannelText(n, kCodeInput, entry->m_comment);
    entry->CreateCountTank();
}

void CBoxArray::UpdateHistCounts(int first, int last)
{
    if (!m_hist)
        fw::ThrowInvalidArgException();
    for (int n = first; n <= last; ++n)
        BuildHistCount(m_hist->ElementAt(n), n);
}

void CBoxArray::ReadHistCounts(CHistCountObj* entry, int n)
{
    if (ToIntOr(GetChannelValue(n, kCodeInput), 0) == 0)
        return;
    if (!entry)
        fw::ThrowInvalidArgException();
    const int words = entry->GetWordCount();
    std::vector<uint8_t> bytes(static_cast<size_t>(words) * 4);
    const int received = GetBox(n / kChannelsPerBox)->GetMeter()->ReadHistogramBlock(bytes, n % kChannelsPerBox + 1, words);
    // A short block would leave the count table with columns of the wrong
    // length; the unit's slices decide how many counts belong to it.
    if (received != words)
        throw CZelException(-1, kMsgInvalidReply);
    std::vector<uint32_t> counts(static_cast<size_t>(received));
    if (received > 0)
        std::memcpy(counts.data(), bytes.data(), counts.size() * sizeof(uint32_t));
    if (!entry->SetCounts(0, counts.data(), received))
        throw CZelException(-1, kMsgInvalidReply);
}

void CBoxArray::ReadHistCountList(const std::vector<std::pair<int16_t, int16_t>>& pairs)
{
    if (!m_hist)
        return;
    for (const auto& [mapIndex, n] : pairs) {
        CHistCountObj* entry = m_hist->GetAt(n);
        ReadHistCounts(entry, n);
        fw::CString text;
        GetChannelText(mapIndex, kCodeCoefficient, text);
        double coefficient = 0.0;
        if (entry && TextToDouble(text.c_str(), &coefficient) && coefficient < 0.0)
            entry->ReverseSides();
    }
}
