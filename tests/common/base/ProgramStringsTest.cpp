#include "common/resources/ProgramStrings.h"

#include "framework/core/Cp932.h"
#include "framework/core/StringTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(StringTable, LoadsProgramAndFrameworkTexts)
{
    struct Row { unsigned id; const char* text; };
    const Row rows[] = {
        {57344, "KIV-5400"},
        {3004, "測定器との交信中に異常が発生しました。\n測定器およびケーブルを確認してください。"},
        {3014, "測定器からERRが返されました。\n\nコマンド %s 、エラーコード %d"},
        {555, "%s\nを読み込めませんでした。"},
        {264, "%1を作成できませんでした。"},
        {61475, "メモリが不足しています。"},
        {61714, "%1 から %2 までの整数を入力してください。"},
        {61733, "%1\n読み込み中に予期しないエラーが発生しました。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        fw::CString s;
        EXPECT_TRUE(fw::LoadString(r.id, s));
        EXPECT_EQ(s, r.text);
        fw::CString member;
        EXPECT_TRUE(member.LoadString(r.id));
        EXPECT_EQ(member, r.text);
    }
}

TEST(StringTable, EveryProgramTextSurvivesCp932)
{
    // Characters such as U+301C or U+2212 would come back as other code points.
    const auto& table = ProgramStrings().Entries();
    ASSERT_FALSE(table.empty());
    std::set<unsigned> ids;
    for (const auto& e : table) {
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(ids.insert(e.id).second) << "duplicate id";
        const std::string bytes = fw::cp932::ToCp932(e.text.view());
        EXPECT_EQ(fw::cp932::FromCp932(bytes), e.text.str());
    }
}

} // namespace
