#include "instrument/Kiv406ErrStr.h"

#include "common/base/ZelException.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Kiv406ErrStr, TextsByCode)
{
    struct Row {
        int code;
        const char* text;
    };
    const Row rows[] = {
        {1, "待機中"},
        {5, "CFカード容量不足"},
        {22, "ｺﾏﾝﾄﾞｴﾗｰ[ERROR-22]"},
        // These three came later and break the running order of the ids.
        {44, "ｵｰﾌﾟﾝﾁｪｯｸ中にｴﾗｰが発生しました[ERROR-44]"},
        {58, "CFｶｰﾄﾞｽﾛｯﾄが使用できません[ERROR-58]"},
        {84, "YB-716のﾊﾞｰｼﾞｮﾝが異なるので実行することができません[ERROR-84]"},
        {90, "ﾊﾟﾈﾙﾊﾞﾗﾝｽ中は実行できません[ERROR-90]"},
        {83, ""},
        {6, ""},
        {0, ""},
        {-1, ""},
    };
    CKiv406ErrStr texts;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(texts.GetText(row.code), row.text);
    }
}

TEST(Kiv406ErrStr, EveryErrorTextEndsWithItsCode)
{
    CKiv406ErrStr texts;
    for (int code = 10; code < 100; ++code) {
        const std::string text = texts.GetText(code).str();
        if (text.empty())
            continue;
        SCOPED_TRACE(code);
        const std::string tail = "[ERROR-" + std::to_string(code) + "]";
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);
    }
}

TEST(Kiv406ErrStr, ExceptionTextPrefersTheUnitsOwnText)
{
    struct Row {
        const char* name;
        CZelException e;
        std::string text;
    };
    const std::vector<Row> rows = {
        {"unit_error_with_text", CZelException(0x10000 + 22, "raw 3014 text"), "ｺﾏﾝﾄﾞｴﾗｰ[ERROR-22]"},
        {"unit_error_without_text", CZelException(0x10000 + 99, "raw 3014 text"), "raw 3014 text"},
        {"reply_time_out", CZelException(10001, 3004u), fw::LoadStringText(3004).str()},
        {"status_code_without_unit_bit", CZelException(22, "own"), "own"},
    };
    CKiv406ErrStr texts;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(texts.GetExceptionText(row.e), row.text);
    }
    EXPECT_EQ(texts.GetExceptionText(std::runtime_error("plain")), "plain");
}

TEST(Kiv406ErrStr, ReportShowsTheUnitTextInAPlainBox)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("ｺﾏﾝﾄﾞｴﾗｰ[ERROR-22]", fw::IDOK);
    services.prompt.ExpectText("測定器との交信中に異常が発生しました", fw::IDOK);
    CKiv406ErrStr texts;
    texts.ReportException(CZelException(0x10000 + 22, "raw"));
    texts.ReportException(CZelException(10001, 3004u));
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(services.prompt.Prompts().size(), 2u);
    EXPECT_EQ(services.prompt.Prompts()[0].flags, fw::MB_OK);
}

} // namespace
