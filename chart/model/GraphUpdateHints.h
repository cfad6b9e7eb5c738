#pragma once

// Hints that tell the series of a graph about changes in data documents:
// built by the sender on its stack, passed with an update kind to the
// graph's UpdateSeries, read by every series. Tank lists and the object are
// borrowed from the sender for the duration of the send.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

class CDataTankList;

// The data source of series changed: a document moved to a new path (kind
// 1), its tanks rebound (kind 2), series attached to another document
// (kind 6), or the question whether a series belongs to a document (kind 10).
class CUpdateGraph : public fw::CObject {
public:
    CUpdateGraph() = default;
    // A posted hint is copied first: the copy has its own path.
    CUpdateGraph(const CUpdateGraph& other);
    CUpdateGraph& operator=(const CUpdateGraph& other) = default;
    ~CUpdateGraph() override = default;

    CDocIdent m_firstDoc;
    CDocIdent m_secondDoc;
    fw::CString m_path;
    int32_t m_flag = -1; // kind 6: non-zero rebuilds the names
    int32_t m_firstKey = -1;
    int32_t m_secondKey = -1;
    CDataTankList* m_firstTanks = nullptr;
    CDataTankList* m_secondTanks = nullptr;
};

// The sample window of a document changed (kinds 5 and 9); also the base of
// the channel insert and delete hint.
class CUpdateGraphStep : public fw::CObject {
public:
    CUpdateGraphStep() = default;
    ~CUpdateGraphStep() override = default;

    CDocIdent m_doc;
    int32_t m_first = 1;  // first sample, or first channel
    int32_t m_second = 1; // last sample, or last channel
    int32_t m_value = 0;
    int32_t m_key = -1;   // document key of the items to shift
};

// Channels first to second were inserted (kind 7) into or deleted (kind 8)
// from a document; m_object is the document's tank list after the change.
class CUpdateGraphInsertDelete : public CUpdateGraphStep {
public:
    CUpdateGraphInsertDelete() = default;

    CDataTankList* m_object = nullptr;
};

// Update kinds a graph passes to its series with a hint.
enum : int {
    kGraphUpdatePath = 1,
    kGraphUpdateRebind = 2,
    kGraphUpdateStep = 5,
    kGraphUpdateAttach = 6,
    kGraphUpdateInsert = 7,
    kGraphUpdateDelete = 8,
    kGraphUpdateSelect = 9,
    kGraphUpdateAsk = 10,
};
