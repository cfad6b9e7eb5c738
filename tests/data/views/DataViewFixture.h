#pragma once

// A measurement-data document opened the way the program opens one:
// through the data template with its window and pages, over scripted
// services, with the charting engine's time list graph behind it.

#include "chart/model/GraphTimeListObj.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/GraphDocumentLookup.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

class CKivDataFrame;
class CKivDataChView;
class CKivDataChDataView;
class CKivDataEXChView;
class CKivDataGraphView;

namespace dataview {

class DataViewFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    DataViewFixture();
    ~DataViewFixture() override;

    // Channels "CH-A", "CH-B", "CH-C" (unit "V", on) with values
    // ch * 10000 + i, calculated channel NO1 "SUM", marks at the given
    // samples; saved into its folder and opened in its window.
    CKivDataDoc* OpenData(int rows, const std::vector<int32_t>& marks = {});
    CKivDataFrame* FrameOf(CKivDataDoc* doc) const;
    template <class V> V* ViewOf(CKivDataDoc* doc) const
    {
        fw::POSITION pos = doc->GetFirstViewPosition();
        while (pos)
            if (auto* view = dynamic_cast<V*>(doc->GetNextView(pos)))
                return view;
        return nullptr;
    }
    static std::vector<int32_t> MarkIndexes(CKivDataDoc* doc);
    // The update handler's answer for a command of the target.
    static bool IsEnabled(fw::CCmdTarget* target, unsigned id, int* check = nullptr);
    static void Run(fw::CCmdTarget* target, unsigned id);

    fw::test::ServiceScope services;
    fw::test::ScriptedFileDialogs dialogs;
    fw::test::ScriptedDialogs uiDialogs;
    kivtest::TempDir dir;
    CKivDocManager manager;
    fw::CMultiDocTemplate* dataTemplate = nullptr;
    CDataDocHost host{&manager};

private:
    IDataDocHost* m_oldHost;
};

} // namespace dataview
