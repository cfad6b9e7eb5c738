#include "tests/project/views/pages/HistoryPageFixture.h"

namespace prjview {

void HistoryPageFixture::MakeHistory(int steps, const std::vector<std::string>& files)
{
    doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CMMAObject& history = doc->GetHistory();
    // Only the channels a test adds.
    history.RemoveAll();
    history.InitColumns();
    for (int s = 0; s < steps; ++s) {
        history.Grow(s);
        history.SetStepTime(s, fw::COleDateTime(2024, 5, 1 + s, 10, 20, 30).m_dt);
        history.SetTitle(s, fw::CString("試験" + std::to_string(s + 1)));
        history.SetCardFileName(s, fw::CString("CF" + std::to_string(s)));
        history.SetDuration(s, s == 1 ? HUGE_VAL : 2.5 * (s + 1));
        history.SetDurationUnit(s, s == 1 ? static_cast<int16_t>(0x8000) : int16_t{155});
        history.SetCycleCount(s, s == 0 ? -1 : 1234.4);
        if (static_cast<size_t>(s) < files.size())
            history.SetDataFileName(s, fw::CString(files[static_cast<size_t>(s)]));
    }
}

void HistoryPageFixture::AddChannel(int channel, const std::string& name, const std::string& unit)
{
    CMMAObject& history = doc->GetHistory();
    CMMAObject::ChannelRecord record;
    record.name = fw::CString(name);
    record.channel = channel;
    for (int s = 0; s <= history.GetLastIndex(); ++s) {
        CMMAObject::ValuesRecord values;
        values.max = s * 10 + 1;
        values.min = s * 10 + 2;
        values.average = s * 10 + 3;
        values.unit = fw::CString(unit);
        history.MergeChannelValues(s, record, values, 0);
    }
}

} // namespace prjview
