// The right-click menus of the analysis, history and setting pages: each
// page opens its own menu, and a command chosen there reaches the page.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "framework/ui/Menu.h"
#include "project/views/ProjectBaseView.h"

#include <functional>
#include <string>
#include <vector>

namespace prjview {
namespace {

class PageMenusTest : public HistoryPageFixture {
protected:
    // Opens the page's context menu from the keyboard; the commands and
    // submenu captions at its top level, and `pick` chosen when non-zero.
    std::vector<std::string> OpenMenu(CProjectBaseView* page, unsigned pick = 0)
    {
        std::vector<std::string> items;
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i)
                items.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
            return pick;
        });
        page->ShowContextMenu({-1, -1});
        fw::CMenu::SetTrackHook(nullptr);
        return items;
    }
    static bool Has(const std::vector<std::string>& items, const std::string& caption)
    {
        for (const std::string& item : items)
            if (item == caption)
                return true;
        return false;
    }
};

TEST_F(PageMenusTest, EachPageOpensItsOwnMenu)
{
    MakeHistory(2, {"D1", "D2"});
    struct Row {
        const char* page;
        unsigned id;
        std::vector<const char*> captions;
    } rows[] = {
        {"measurement history", prjcmd::kPageHistory, {"データファイルを表示", "データファイルのテキスト変換...", "計測履歴の更新..."}},
        {"max/min/average", prjcmd::kPageStatistics, {"データファイルを表示", "テキストで保存..."}},
        {"frequency history", prjcmd::kPageFreqHistory, {"頻度ファイルのテキスト変換...", "試験タイトルの変更..."}},
        {"calculated channels", prjcmd::kPageCalc, {"名前...", "関数ペースト...", "単位", "ﾌｫｰﾏｯﾄ", "ON/OFF"}},
        {"interval", prjcmd::kPageInterval, {"下方向にｺﾋﾟｰ(&F)", "ｺﾝﾄﾛｰﾙ"}},
        {"output", prjcmd::kPageOutput, {"出力電圧", "出力ﾚﾝｼﾞ", "テキストで保存..."}},
        {"frequency numbers", prjcmd::kPageFreqNo, {"解析方法", "サンプリング"}},
        {"program measurement", prjcmd::kPageProgram, {"元に戻す(&U)", "消去(&D)", "テキストで保存..."}},
        {"graph list", prjcmd::kPageGraphList, {"作図線の設定...", "ｸﾞﾘｯﾄﾞの設定...", "時間単位", "行の高さ.."}},
    };
    for (const Row& row : rows) {
        auto* page = Show<CProjectBaseView>(row.id);
        ASSERT_NE(page, nullptr) << row.page;
        const std::vector<std::string> items = OpenMenu(page);
        EXPECT_FALSE(items.empty()) << row.page << ": no menu";
        for (const char* caption : row.captions)
            EXPECT_TRUE(Has(items, caption)) << row.page << ": " << caption;
    }
}

TEST_F(PageMenusTest, TheGraphListMenuLeavesOutTheCursorAndPeakItems)
{
    MakeHistory(1, {"D1"});
    auto* page = Show<CProjectBaseView>(prjcmd::kPageGraphList);
    ASSERT_NE(page, nullptr);
    const std::vector<std::string> items = OpenMenu(page);
    EXPECT_FALSE(Has(items, "カーソル情報表示"));
    EXPECT_FALSE(Has(items, "最大最小表示"));
}

TEST_F(PageMenusTest, ACommandChosenInTheHistoryMenuConvertsTheSelectedSteps)
{
    MakeHistory(3, {"D1", "", "D3"});
    auto* page = Show<CProjectBaseView>(prjcmd::kPageHistory);
    ASSERT_NE(page, nullptr);
    Select(page, 0, 0, 2, 0);
    OpenMenu(page, 32820);
    ASSERT_EQ(fake.converted.size(), 2u);
    EXPECT_NE(fake.converted[0].find("D1.kivd"), std::string::npos);
    EXPECT_NE(fake.converted[1].find("D3.kivd"), std::string::npos);
}

} // namespace
} // namespace prjview
