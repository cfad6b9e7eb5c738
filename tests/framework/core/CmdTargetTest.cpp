#include "framework/core/CmdTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace fw;

class BaseTarget : public CCmdTarget {
    FW_DECLARE_COMMANDS()
public:
    std::vector<std::string> log;

    void OnOpen() { log.push_back("base open"); }
    void OnUpdateOpen(CCmdUI* ui) { ui->SetCheck(1); }
    void OnSave() { log.push_back("base save"); }
};

FW_BEGIN_COMMANDS(BaseTarget, CCmdTarget)
    FW_ON_COMMAND(100, &BaseTarget::OnOpen)
    FW_ON_UPDATE(100, &BaseTarget::OnUpdateOpen)
    FW_ON_COMMAND(101, &BaseTarget::OnSave)
FW_END_COMMANDS

class DerivedTarget : public BaseTarget {
    FW_DECLARE_COMMANDS()
public:
    CCmdTarget* next = nullptr;  // asked when this one has no handler

    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override
    {
        if (BaseTarget::OnCmdMsg(id, code, ui, info))
            return true;
        return next && next->OnCmdMsg(id, code, ui, info);
    }

private:
    void OnSaveHere() { log.push_back("derived save"); }
    void OnUnit(unsigned id) { log.push_back("unit " + std::to_string(id)); }
    bool OnMaybe(unsigned id) { log.push_back("maybe " + std::to_string(id)); return false; }
    void OnUpdateUnits(CCmdUI* ui) { ui->Enable(ui->m_nID % 2 == 0); }
};

FW_BEGIN_COMMANDS(DerivedTarget, BaseTarget)
    FW_ON_COMMAND(101, &DerivedTarget::OnSaveHere)
    FW_ON_COMMAND_RANGE(300, 310, &DerivedTarget::OnUnit)
    FW_ON_UPDATE_RANGE(300, 310, &DerivedTarget::OnUpdateUnits)
    FW_ON_COMMAND_EX(400, &DerivedTarget::OnMaybe)
FW_END_COMMANDS

TEST(CmdTarget, DerivedRowsComeBeforeBaseRows)
{
    DerivedTarget t;
    EXPECT_TRUE(t.DoCommand(101));
    EXPECT_TRUE(t.DoCommand(100));
    EXPECT_EQ(t.log, (std::vector<std::string>{"derived save", "base open"}));
}

TEST(CmdTarget, RangeHandlerReceivesTheId)
{
    DerivedTarget t;
    EXPECT_TRUE(t.DoCommand(305));
    EXPECT_FALSE(t.DoCommand(311));
    EXPECT_EQ(t.log, (std::vector<std::string>{"unit 305"}));
}

TEST(CmdTarget, ExtendedHandlerReturningFalseLetsTheRouteGoOn)
{
    DerivedTarget t;
    BaseTarget next;
    t.next = &next;
    EXPECT_FALSE(t.DoCommand(400));
    EXPECT_EQ(t.log, (std::vector<std::string>{"maybe 400"}));
}

TEST(CmdTarget, RouteReachesTheNextTarget)
{
    DerivedTarget t;
    BaseTarget next;
    t.next = &next;
    EXPECT_FALSE(t.DoCommand(999));
    EXPECT_TRUE(t.HasCommandHandler(101));
    EXPECT_TRUE(t.log.empty());
}

TEST(CmdUI, UpdateStates)
{
    DerivedTarget t;
    struct Row { const char* name; unsigned id; bool enabled; int check; bool handled; };
    const Row rows[] = {
        {"update_handler_checks", 100, true, 1, true},
        {"command_without_update_is_enabled", 101, true, 0, false},
        {"no_handler_is_disabled", 555, false, 0, false},
        {"range_update_even_enabled", 302, true, 0, true},
        {"range_update_odd_disabled", 303, false, 0, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CCmdUI ui(r.id);
        ui.DoUpdate(&t);
        EXPECT_EQ(ui.m_bEnabled, r.enabled);
        EXPECT_EQ(ui.m_nCheck, r.check);
        EXPECT_EQ(ui.WasHandled(), r.handled);
    }
    EXPECT_TRUE(t.log.empty()) << "an update must not run the command";
}

TEST(CmdUI, NoHandlerStaysEnabledWhenAutoDisableIsOff)
{
    DerivedTarget t;
    CCmdUI ui(555);
    ui.DoUpdate(&t, false);
    EXPECT_TRUE(ui.m_bEnabled);
}

TEST(CmdUI, UpdateFoundAlongTheRoute)
{
    DerivedTarget t;
    BaseTarget next;
    t.next = &next;
    // 100 is handled by the derived target's own base table already; the
    // next target is only asked for what the first cannot answer.
    CCmdUI ui(100);
    ui.DoUpdate(&t);
    EXPECT_EQ(ui.m_nCheck, 1);
}

} // namespace
