#pragma once

// A frequency-data file opened the way the program opens one: through the
// frequency template into its window with the three tables, over scripted
// services, file dialogs and dialogs.

#ifdef KIV_FREQUENCY_VIEWS

#include "docbase/doc/KivDocManager.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/views/HistAmpInView.h"
#include "frequency/views/HistCountView.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistOpeView.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace histview_test {

class HistWindowFixture : public ::testing::Test {
protected:
    HistWindowFixture();
    ~HistWindowFixture() override;

    // Saves `analyses` as a frequency-data file named `name` in the test's
    // folder and opens it in its window.
    CHistDoc* OpenRecord(std::unique_ptr<CHistCountArray> analyses, const std::string& name = "REC",
                         const std::string& title = "試験1");
    CHistFrame* FrameOf(CHistDoc* doc) const;
    static std::string ReadAll(const std::filesystem::path& path);

    fw::test::ServiceScope services;
    fw::test::ScriptedFileDialogs files;
    fw::test::ScriptedDialogs dialogs;
    kivtest::TempDir dir;
    CKivDocManager manager;
    fw::CMultiDocTemplate* histTemplate = nullptr;
};

// An analysis of `op` with `plus` and `minus` slices over full scale `fs`;
// the counts are given from the most negative slice up, per column.
CHistCountObj* MakeAnalysis(const char* name, int16_t op, int16_t plus, int16_t minus, float fs,
                            const std::vector<double>& table);

} // namespace histview_test

#endif
