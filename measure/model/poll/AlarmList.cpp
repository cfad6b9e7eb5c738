#include "measure/model/poll/AlarmList.h"

#include "common/calc/CalcuDataTank.h"
#include "common/tank/DataTankList.h"
#include "framework/core/Format.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kFirstCalcShown = 320;

} // namespace

const char* CAlarmList::StateText(int state)
{
    static const char* const texts[] = {"", "Low", "Upp", "Upp/Low", "Over", "Low/Over", "Upp/Over", "Upp/Low/Over"};
    return state >= 0 && state <= 7 ? texts[state] : "";
}

void CAlarmList::Clear()
{
    m_rows.clear();
    m_began.clear();
}

int CAlarmList::Rebuild(CDataTankList& tanks, const StateOf& stateOf)
{
    m_rows.clear();
    int highest = 0;
    for (int ch = 0; ch < tanks.GetSize(); ++ch) {
        CDataTankObject* tank = tanks.GetObjectAt(ch);
        if (!tank || ch == kTimeChannel)
            continue;
        const int state = stateOf(tank);
        if (state == 0) {
            m_began.erase(ch);
            continue;
        }
        highest = std::max(highest, state);
        auto it = m_began.find(ch);
        if (it == m_began.end()) {
            fw::CString value;
            if (auto* calc = dynamic_cast<CCalcuDataTank*>(tank))
                calc->FormatResult(value, -9999);
            it = m_began.emplace(ch, std::make_pair(fw::COleDateTime::GetCurrentTime(), value)).first;
        }
        const bool calculated = ch > kFirstCalcShown;
        Row row;
        row.channel = ch;
        row.text = fw::Format(calculated ? "NO%d\r%s\r%s\r%s\r%s\r" : "CH%d\r%s\r%s\r%s\r%s\r",
                              calculated ? ch - 499 : ch + 1, tank->GetName().c_str(), it->second.second.c_str(),
                              StateText(state), it->second.first.Format("%Y/%m/%d %H:%M:%S").c_str());
        m_rows.push_back(row);
    }
    return highest;
}

fw::CString CAlarmList::Field(const fw::CString& row, int col)
{
    const std::string_view text = row.view();
    size_t start = 0;
    for (int i = 0; i < col; ++i) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos)
            return fw::CString();
        start = cr + 1;
    }
    const size_t end = text.find('\r', start);
    return fw::CString(std::string(text.substr(start, end == std::string_view::npos ? text.size() - start : end - start)));
}

int CAlarmList::ChannelOfRow(const fw::CString& row)
{
    const fw::CString first = Field(row, 0);
    const int number = std::atoi(first.c_str() + std::min<int>(2, first.GetLength()));
    return first.Find("NO") >= 0 ? number + 499 : number - 1;
}
