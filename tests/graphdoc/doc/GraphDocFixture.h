#pragma once

// Graph pages without windows: a page document, stub objects and a stub
// view that record the hints they get, and the page's archive form in
// memory.

#include "framework/core/Document.h"
#include "framework/core/testing/ServiceScope.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphViewDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdtest {

using Log = std::vector<std::string>;

// A plain object that writes "<name>:<hint>" into the log.
class CHintStub : public CDrawObj {
public:
    CHintStub(Log* log, std::string name) : m_log(log), m_name(std::move(name)) {}
    intptr_t OnUpdate(intptr_t hint, fw::CObject*) override
    {
        m_log->push_back(m_name + ":" + std::to_string(hint));
        return 0;
    }
    void ResetSize() override { m_log->push_back(m_name + ":size"); }

private:
    Log* m_log;
    std::string m_name;
};

// A data graph that logs its hints and its legend refresh answer.
class CGraphStub : public CDrawGraphObj {
public:
    explicit CGraphStub(Log* log) : m_log(log) {}
    intptr_t OnUpdate(intptr_t hint, fw::CObject*) override
    {
        m_log->push_back("graph:" + std::to_string(hint));
        return 0;
    }
    bool UpdateLegendTexts() override { return m_legendChanged; }
    bool m_legendChanged = false;

private:
    Log* m_log;
};

// A view that writes "view:<hint>".
class CViewStub final : public fw::IDocumentView {
public:
    explicit CViewStub(Log* log) : m_log(log) {}
    fw::CView* AsView() override { return nullptr; }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject*) override
    {
        m_log->push_back("view:" + std::to_string(hint));
    }

private:
    Log* m_log;
};

class GraphDocTest : public ::testing::Test {
protected:
    GraphDocTest();
    ~GraphDocTest() override;

    std::vector<uint8_t> Store(CGraphViewDoc& page);
    void Load(CGraphViewDoc& page, const std::vector<uint8_t>& bytes);

    fw::test::ServiceScope services;
    CGraphViewDoc doc;
};

} // namespace gdtest
