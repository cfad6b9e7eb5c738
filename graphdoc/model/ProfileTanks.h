#pragma once

// The tank lists of a document as graph pages number them. The profiles of
// the plot-data dialog and the series items that a ".kivg" file keeps name
// a list by these numbers: 1 operation data, 2 used tanks, 3 the project's
// cycle list, 4 the project's monitor channels, 5 the CAN channels of a
// measurement-data document; a cycle or history graph reads kind 2 from the
// project's cycle-data list instead. The documents number their lists
// otherwise for the list graphs of the data windows (operation data is
// CKivDocBase::kOpDataList, 5, there), so graph pages translate here and
// never hand their numbers to CKivDocBase::GetChannelTank.

#include <cstdint>
#include <memory>

class CDataTankList;
class CDataTankObject;
class CKivDocBase;

namespace profilelist {
inline constexpr int16_t kOpData = 1;
inline constexpr int16_t kUsedTanks = 2;
inline constexpr int16_t kCycleList = 3;
inline constexpr int16_t kMonitorChannels = 4;
inline constexpr int16_t kCanChannels = 5;

// Creation kinds of the graphs drawn from a project's measurement history.
inline bool IsHistoryCreation(int creationKind)
{
    return creationKind == 7 || creationKind == 8;
}
} // namespace profilelist

class CProfileTanks {
public:
    // `history`: the lists of a cycle or history graph.
    CProfileTanks(CKivDocBase& document, bool history);
    ~CProfileTanks();
    CProfileTanks(const CProfileTanks&) = delete;
    CProfileTanks& operator=(const CProfileTanks&) = delete;

    // Null when the document has no such list.
    CDataTankList* List(int listKind);
    CDataTankObject* Tank(int listKind, int channel);

    // The steps of a project's measurement history (0 for other documents):
    // the samples of a cycle or history graph.
    static int HistoryStepCount(CKivDocBase& document);

private:
    CDataTankList* CycleDataList();

    CKivDocBase& m_document;
    bool m_history;
    // The history keeps its channel tanks one by one; the list holds a
    // reference to each while it lives.
    std::unique_ptr<CDataTankList> m_cycleData;
};
