// The initial balance: the control units balance the chosen channels, and
// channels they report as not balanced get a software zero offset.

#include "instrument/system/BoxArray.h"

#include "framework/core/Services.h"
#include "instrument/system/SequenceSupport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kAttrOffset = 1001;
constexpr int kFieldWidth = 8;    // 7 characters of result and a separator
constexpr int kResultWidth = 7;

// The chosen channels of one listed box, as map indexes in map order.
struct BalanceBox {
    int16_t box = 0;
    std::vector<int> channels;
    fw::CString reply;
};

// The unit refused the balance as a whole ("ERR" and its number), which is
// not a channel's "ERR-011" or "ERR-012".
bool IsRefusal(const fw::CString& reply)
{
    const int at = reply.Find("ERR");
    return at >= 0 && (at + 3 >= reply.GetLength() || reply[at + 3] != '-');
}

} // namespace

void CBoxArray::ApplyBalanceReply(int16_t b, const std::vector<int>& channels, const fw::CString& reply, bool clearOffsets)
{
    const CBoxPropaty* box = GetBox(b);
    const CKivMeter& meter = sequence::MeterOf(*this, b);
    const size_t fields = static_cast<size_t>((reply.GetLength() + kFieldWidth - 1) / kFieldWidth);
    // A short reply leaves the channels it does not reach alone.
    for (size_t k = 0; k < std::min(fields, channels.size()); ++k) {
        const int index = channels[k];
        const fw::CString field = reply.Mid(static_cast<int>(k) * kFieldWidth, kResultWidth);
        if (field.Find("END") >= 0) {
            if (clearOffsets)
                SetChannelValue(index, kAttrOffset, 0.0);
            continue;
        }
        const double v = meter.GetCurrentValue(box->GetUnitChannel(m_map.GetAt(index).ch));
        if (!std::isfinite(v))
            continue;
        if (field.Find("ERR-011") >= 0) {
            const double highPass = GetChannelValue(index, CBoxPropaty::kAttrHighPass);
            if (!std::isfinite(highPass) || highPass == 0.0)
                SetChannelValue(index, kAttrOffset, -v);
            else if (clearOffsets)
                SetChannelValue(index, kAttrOffset, 0.0);
        } else if (field.Find("ERR-012") >= 0) {
            if (clearOffsets)
                SetChannelValue(index, kAttrOffset, -v);
        }
    }
}

bool CBoxArray::RunBalance(const std::vector<int16_t>& mapIndexes, bool clearOffsets)
{
    fw::CWaitCursor cursor;
    std::vector<double> saved(static_cast<size_t>(m_measuring));
    for (int i = 0; i < m_measuring; ++i) {
        saved[static_cast<size_t>(i)] = GetChannelValue(i, CBoxPropaty::kAttrOnOff);
        SetChannelValue(i, CBoxPropaty::kAttrOnOff, 0.0);
    }
    tagUNITLIST list;
    std::vector<BalanceBox> boxes;
    bool ok = true;
    fw::CString failure;
    try {
        for (int16_t index : mapIndexes) {
            if (index < 0 || index >= m_measuring)
                fw::ThrowInvalidArgException();
            const int16_t b = m_map.GetAt(index).box;
            list.Add(sequence::MeterOf(*this, b).GetAddress());
            auto it = std::find_if(boxes.begin(), boxes.end(), [b](const BalanceBox& x) { return x.box == b; });
            if (it == boxes.end())
                it = boxes.insert(boxes.end(), BalanceBox{b, {}, {}});
            it->channels.push_back(index);
            SetChannelValue(index, CBoxPropaty::kAttrOnOff, 1.0);
        }
        ok = !boxes.empty() && SelectOnChannels(true);
        if (ok) {
            sequence::MeterOf(*this, boxes.front().box).SendToList(list, "BAL");
            // Each unit's reply comes on its own connection; a fault on one
            // still leaves the others' replies read.
            sequence::KeptError refusal;
            for (BalanceBox& x : boxes) {
                CKivMeter& meter = sequence::MeterOf(*this, x.box);
                try {
                    // Read raw: "ERR-011" and "ERR-012" are results of channels.
                    meter.GetInterface()->ReadLine(meter.GetAddress(), meter.GetDelimiter());
                    x.reply = meter.GetInterface()->GetReply();
                    if (IsRefusal(x.reply))
                        refusal.Keep(CZelException(kZelErrorUnitReply + CZELMeter::ParseErrorCode(x.reply),
                                                   CZELMeter::kMsgUnitError));
                } catch (const std::exception&) {
                    x.reply.Empty();
                }
            }
            refusal.Raise();
            std::vector<int16_t> listed;
            for (const BalanceBox& x : boxes)
                listed.push_back(x.box);
            ReadCurrentValues(listed);
        }
    } catch (const std::exception& e) {
        CKiv406ErrStr texts;
        texts.ReportException(e);
        ok = false;
        boxes.clear();
    }
    if (ok) {
        for (const BalanceBox& x : boxes) {
            try {
                ApplyBalanceReply(x.box, x.channels, x.reply, clearOffsets);
            } catch (const std::exception& e) {
                failure = sequence::ErrorText(e);
                ok = false;
            }
        }
    }
    for (int i = 0; i < m_measuring; ++i)
        SetChannelValue(i, CBoxPropaty::kAttrOnOff, saved[static_cast<size_t>(i)]);
    if (!SelectOnChannels(true))
        ok = false;
    if (!failure.IsEmpty())
        fw::AfxMessageBox(failure);
    return ok;
}
