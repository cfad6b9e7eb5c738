#pragma once

// What graph pages ask of the application: its print options, its batch
// print list, the default frame style of new objects, the open graph pages
// and a new empty one. The program installs its implementation; without
// one a plain host answers with its own values and no pages.

#include "docbase/graphpage/DrawObjPrf.h"
#include "graphdoc/model/PrintJobList.h"

#include <map>
#include <vector>

class CGraphViewDoc;
class CKivDocBase;

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
    // The open instrument documents of template `templateId` (129 project,
    // 130 measurement data, 132 frequency data); false when the program has
    // no such template.
    virtual bool DocumentsOfTemplate(unsigned templateId, std::vector<CKivDocBase*>& out) = 0;
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
    bool DocumentsOfTemplate(unsigned templateId, std::vector<CKivDocBase*>& out) override
    {
        const auto it = m_documents.find(templateId);
        if (it == m_documents.end())
            return false;
        out = it->second;
        return true;
    }

    bool m_paperSize = true;
    CPrintJobList m_jobs;
    CDrawObjPrf m_frameStyle;
    std::vector<CGraphViewDoc*> m_pages;
    std::map<unsigned, std::vector<CKivDocBase*>> m_documents;
};

IGraphPageHost& GraphPageHost();
