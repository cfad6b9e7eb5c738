#include "graphdoc/model/ProfileTanks.h"

#include "common/tank/DataTankList.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/KivDocBase.h"
#include "project/model/KIV5980Doc.h"

using namespace profilelist;

CProfileTanks::CProfileTanks(CKivDocBase& document, bool history) : m_document(document), m_history(history) {}

CProfileTanks::~CProfileTanks() = default;

CDataTankList* CProfileTanks::CycleDataList()
{
    auto* project = dynamic_cast<CKIV5980Doc*>(&m_document);
    if (!project)
        return nullptr;
    if (!m_cycleData) {
        CMMAObject& history = project->GetHistory();
        auto list = std::make_unique<CDataTankList>();
        for (int i = 0; i < history.GetChannelTankCount(); ++i)
            list->AddTank(history.GetChannelTank(i), true);
        m_cycleData = std::move(list);
    }
    return m_cycleData.get();
}

CDataTankList* CProfileTanks::List(int listKind)
{
    switch (listKind) {
    case kOpData:
        // The project offers its list; the other documents keep theirs in
        // the base.
        if (CDataTankList* list = m_document.GetOpDataList())
            return list;
        return m_document.GetOpDataTanks();
    case kCycleList:
        if (auto* project = dynamic_cast<CKIV5980Doc*>(&m_document))
            return &project->GetHistory().GetStepColumns();
        return nullptr;
    case kCanChannels:
        if (auto* data = dynamic_cast<CKivDataDoc*>(&m_document))
            return &data->GetBoxArray().GetCanTanks();
        return nullptr;
    case kUsedTanks:
        // Only a project keeps a history; another document's history
        // graph reads its channels.
        if (CDataTankList* cycleData = m_history ? CycleDataList() : nullptr)
            return cycleData;
        return m_document.GetChannelTankList();
    default:
        return m_document.GetChannelTankList();
    }
}

CDataTankObject* CProfileTanks::Tank(int listKind, int channel)
{
    CDataTankList* list = List(listKind);
    if (!list || channel < 0 || channel >= list->GetSize())
        return nullptr;
    return list->GetObjectAt(channel);
}

int CProfileTanks::HistoryStepCount(CKivDocBase& document)
{
    auto* project = dynamic_cast<CKIV5980Doc*>(&document);
    return project ? project->GetHistory().GetLastIndex() + 1 : 0;
}
