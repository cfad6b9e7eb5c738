#pragma once

// Documents, views and graph pages without windows, and a fixture that
// puts a document manager with their templates, the scripted services and
// the application's document services in place for one test.

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/FramePlacement.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/Document.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace apptest {

// An instrument document with a text payload and its own channel list.
class CTestKivDoc : public CKivDocBase {
    FW_DECLARE_DYNCREATE(CTestKivDoc)
public:
    CTestKivDoc();
    ~CTestKivDoc() override;

    void Serialize(fw::CArchive& ar) override;
    CDataTankList* GetChannelTankList() override { return &m_channels; }
    int GetChannelCount() override { return m_channelCount; }

    // Makes the channel tank list hold a float tank of that kind and name.
    CDataTankObject* SetChannel(int channel, int32_t kind, const fw::CString& name = {});

    fw::CString m_payload;
    bool m_failStore = false;  // a store throws a disk-full error half-way
    int m_channelCount = 0;
    CDataTankList m_channels;
};

// A graph page that records the hints it gets.
class CTestGraphDoc : public fw::CDocument, public IGraphPageDoc {
    FW_DECLARE_DYNCREATE(CTestGraphDoc)
public:
    struct Hint {
        intptr_t code;
        CDocIdent newIdent;
        CDocIdent oldIdent;
        fw::CDocument* document = nullptr;
    };
    intptr_t DispatchUpdate(intptr_t hint, fw::CObject* hintObject) override;
    int Count(intptr_t code) const;

    std::vector<Hint> m_hints;
};

// A view in a frame with a placement.
class CTestView : public fw::IDocumentView, public IPlacedView {
public:
    explicit CTestView(uint32_t key) : m_key(key) {}
    fw::CView* AsView() override { return nullptr; }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject*) override { hints.push_back(hint); }
    uint32_t FrameKey() const override { return m_key; }
    FramePlacement GetFramePlacement() const override { return placement; }
    void SetFramePlacement(const FramePlacement& p) override { placement = p; ++placed; }

    FramePlacement placement;
    int placed = 0;
    std::vector<intptr_t> hints;

private:
    uint32_t m_key;
};

// The application's document services with frames that tests can see.
class CTestHost : public CDataDocHost {
public:
    using CDataDocHost::CDataDocHost;
    IPlacedView* OpenNewFrame(fw::CDocument* document) override;
    std::vector<std::unique_ptr<CTestView>> newFrames;
};

FramePlacement MakePlacement(int seed);

class DocFixture : public ::testing::Test {
public:
    static std::string ReadAll(const std::string& path);
    static void WriteAll(const std::string& path, const std::string& bytes);

protected:
    static constexpr unsigned kTestDocStrings = 64001;
    static constexpr unsigned kGraphDocStrings = 64002;
    static constexpr const char* kDocStrings =
        "\nテスト\nテスト\nテストデータ(*.kivt)\n.kivt\nKIV-5400.Test\nKIV-5400.テスト";
    static constexpr const char* kGraphStrings = "\nグラフ\nグラフ\nグラフ (*.kivg)\n.kivg\nKIV-5400.graph\n";

    DocFixture();
    ~DocFixture() override;

    CTestKivDoc* NewDoc();
    CTestGraphDoc* NewGraphPage();
    CTestKivDoc* Open(const std::string& path);
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    // Names in the folder that are no part of the test's own files.
    std::vector<std::string> StrayFiles(const std::vector<std::string>& expected) const;

    fw::test::ServiceScope services;
    fw::test::ScriptedFileDialogs dialogs;
    kivtest::TempDir dir;
    CKivDocManager manager;
    fw::CDocTemplate* docTemplate = nullptr;
    fw::CDocTemplate* graphTemplate = nullptr;
    CTestHost host{&manager};

private:
    IDataDocHost* m_oldHost;
};

} // namespace apptest
