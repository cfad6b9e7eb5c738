#pragma once

// The hint object of a change in a project's measurement history: graph
// pages that plot history steps find the project and its last step in it.

#include "docbase/doc/UpdateHints.h"

#include <cstdint>

class CUpdateStepDate : public CUpdateDataDoc {
    FW_DECLARE_DYNAMIC(CUpdateStepDate)
public:
    CUpdateStepDate(fw::CDocument* document, int32_t step) : CUpdateDataDoc(document), m_nStep(step) {}

    // -1 when the history holds no step.
    int32_t m_nStep;
};
