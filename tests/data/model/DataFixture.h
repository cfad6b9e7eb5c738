#pragma once

// A measurement-data document of three input channels and one calculated
// channel in a temporary folder, with the program's services scripted.

#include "data/model/KivDataDoc.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace datatest {

class DataFixture : public ::testing::Test {
public:
    static std::string ReadAll(const std::filesystem::path& path);
    static void WriteAll(const std::filesystem::path& path, const std::string& bytes);

protected:
    static void SetUpTestSuite();
    DataFixture();
    ~DataFixture() override;

    // A new document: channels "CH-A", "CH-B", "CH-C" (unit "V") with values
    // ch * 10 + i at rows i = 0..rows-1, and calculated channel NO1 "SUM".
    std::unique_ptr<CKivDataDoc> MakeDocument(int rows = 5);
    std::unique_ptr<CKivDataDoc> Open(const std::filesystem::path& path);
    std::filesystem::path FolderPath(const std::string& name);

    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    CKivDocManager manager;
    CDataDocHost host{&manager};

private:
    IDataDocHost* m_oldHost;
};

} // namespace datatest
