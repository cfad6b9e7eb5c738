#pragma once

// What graph pages ask of the application: its print options, its batch
// print list, the default frame style of new objects, the open graph pages
// and a new empty one. The program installs its implementation; without
// one a plain host answers with its own values and no pages.

#include "docbase/graphpage/DrawObjPrf.h"
#include "graphdoc/model/PrintJobList.h"

#include <vector>

class CGraphViewDoc;

class IGraphPageHost {
public:
    virtual ~IGraphPageHost() = default;
    // "用紙サイズで印刷": pages print at paper size, else tiled.
    virtual bool PrintAtPaperSize() = 0;
    virtual void SetPrintAtPaperSize(bool on) = 0;
    virtual CPrintJobList& PrintJobs() = 0;
    virtual CDrawObjPrf& DefaultFrameStyle() = 0;
    // The open graph pages in the order of their template.
    virtual std::vector<CGraphViewDoc*> OpenGraphPages() = 0;
    // A new empty page with its window; null when none could be made.
    virtual CGraphViewDoc* OpenNewGraphPage() = 0;
    // The main window takes no input while a batch prints.
    virtual void EnableMainWindow(bool enable) {}
};

// Keeps the values itself.
class CGraphPageHost : public IGraphPageHost {
public:
    bool PrintAtPaperSize() override { return m_paperSize; }
    void SetPrintAtPaperSize(bool on) override { m_paperSize = on; }
    CPrintJobList& PrintJobs() override { return m_jobs; }
    CDrawObjPrf& DefaultFrameStyle() override { return m_frameStyle; }
    std::vector<CGraphViewDoc*> OpenGraphPages() override { return m_pages; }
    CGraphViewDoc* OpenNewGraphPage() override { return nullptr; }

    bool m_paperSize = true;
    CPrintJobList m_jobs;
    CDrawObjPrf m_frameStyle;
    std::vector<CGraphViewDoc*> m_pages;
};

IGraphPageHost& GraphPageHost();
