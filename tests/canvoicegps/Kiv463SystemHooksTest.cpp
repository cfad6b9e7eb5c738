// The CAN/voice/GPS unit as the measuring system sees it once
// RegisterCanVoiceGpsClasses has run: its settings check before writing,
// the duplicate-identifier marks and the carrying over of its settings when
// the system is rebuilt.

#include "tests/support/link/SequenceFixture.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/Kiv463Unit.h"
#include "instrument/system/BoxArray.h"
#include "tests/canvoicegps/CanTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

constexpr unsigned kMsgCanNotSettable = 815;

class Kiv463SystemHooks : public seqtest::SequenceTest {
protected:
    static void SetUpTestSuite()
    {
        seqtest::SequenceTest::SetUpTestSuite();
        RegisterCanVoiceGpsClasses();
    }

    CKiv463Unit& Unit463(int box, int port)
    {
        auto* unit = dynamic_cast<CKiv463Unit*>(system.GetBox(box)->GetMeter()->GetUnit(port));
        if (!unit)
            throw std::logic_error("no CAN/voice/GPS unit in that port");
        return *unit;
    }

    // Renews the marks as the program does after every edit, then checks.
    bool MarkAndCheck()
    {
        system.MarkDuplicateCanIds();
        return system.CheckSettings();
    }
};

const char* const kReceiveSignal = "RPM : 0|16@1+ (0.25,0) [0|0] \"rpm\" 0 0";
const char* const kSendSignal = "CH1 : 7|16@0- (1,0) [0|0] \" \" 0 1";

struct CheckCase {
    const char* name;
    std::function<void(CKiv463Unit&)> setup;
    bool allowed;
};

TEST_F(Kiv463SystemHooks, SettingsCheckAsksTheUnitAndEveryMessage)
{
    using cantest::AddMessage;
    const CheckCase cases[] = {
        {"defaults", [](CKiv463Unit&) {}, true},
        {"usable messages",
         [](CKiv463Unit& u) {
             AddMessage(u, false, "512 ENG 8 ", {kReceiveSignal});
             AddMessage(u, true, "512 OUT 2 ", {kSendSignal});
             AddMessage(u, true, "513 OUT 2 ", {kSendSignal});
         },
         true},
        {"memory split over the unit's memory", [](CKiv463Unit& u) { u.Can().memoryBytes = kUnitMemoryBytes; },
         false},
        {"standard identifier in the reserved range",
         [](CKiv463Unit& u) { AddMessage(u, false, "2032 ENG 8 ", {kReceiveSignal}); }, false},
        {"extended identifier past the standard range",
         [](CKiv463Unit& u) { AddMessage(u, false, "2147485680 ENG 8 ", {kReceiveSignal}); }, true},
        {"receive message without signals", [](CKiv463Unit& u) { AddMessage(u, false, "256 ENG 8 ", {}); }, false},
        {"send signal without source",
         [](CKiv463Unit& u) { AddMessage(u, true, "512 OUT 2 ", {"CH1 : 7|16@0- (1,0) [0|0] \" \" 0 0"}); },
         false},
        {"two send messages share an identifier",
         [](CKiv463Unit& u) {
             AddMessage(u, true, "512 OUT 2 ", {kSendSignal});
             AddMessage(u, true, "512 OUT2 2 ", {kSendSignal});
         },
         false},
        {"two receive messages share an identifier",
         [](CKiv463Unit& u) {
             AddMessage(u, false, "256 ENG 8 ", {kReceiveSignal});
             AddMessage(u, false, "256 ENG2 8 ", {kReceiveSignal});
         },
         true},
    };
    ConnectEach({{2, 8}});
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        CKiv463Unit& unit = Unit463(0, 1);
        unit.SetDefaults();
        c.setup(unit);
        if (!c.allowed)
            services.prompt.Expect(kMsgCanNotSettable, fw::IDOK);
        EXPECT_EQ(MarkAndCheck(), c.allowed);
        EXPECT_EQ(services.prompt.Problems(), "");
    }
}

TEST_F(Kiv463SystemHooks, DuplicateMarksFollowTheIdentifiers)
{
    ConnectEach({{2}, {2, 8, 8}});
    CKiv463Unit& first = Unit463(1, 1);
    CKiv463Unit& second = Unit463(1, 2);
    C463CanMesNode* a = cantest::AddMessage(first, true, "512 A 2 ", {kSendSignal});
    C463CanMesNode* b = cantest::AddMessage(first, true, "512 B 2 ", {kSendSignal});
    C463CanMesNode* received = cantest::AddMessage(first, false, "512 C 8 ", {kReceiveSignal});
    // The same identifier in another unit is on another bus.
    C463CanMesNode* other = cantest::AddMessage(second, true, "512 D 2 ", {kSendSignal});
    system.MarkDuplicateCanIds();
    EXPECT_TRUE(a->IsDuplicate());
    EXPECT_TRUE(b->IsDuplicate());
    EXPECT_FALSE(received->IsDuplicate());
    EXPECT_FALSE(other->IsDuplicate());

    ASSERT_TRUE(b->SetValue(canattr::kIdentifier, 513));
    system.MarkDuplicateCanIds();
    EXPECT_FALSE(a->IsDuplicate());
    EXPECT_FALSE(b->IsDuplicate());
    EXPECT_TRUE(system.CheckSettings());
}

TEST_F(Kiv463SystemHooks, RebuildCarriesTheUnitSettingsOver)
{
    ASSERT_TRUE(system.BuildFromProfile(systest::Profile({systest::Types({2, 8})})));
    CKiv463Unit& old = Unit463(0, 1);
    old.Can().memoryBytes = 1000;
    old.Gps().receiver = 1;
    cantest::AddMessage(old, false, "291 ENG 8 ", {kReceiveSignal});
    ASSERT_TRUE(old.SetSlotCode(100, 1));
    ASSERT_TRUE(old.SetSlotCode(14, 0));
    const std::string settings = cantest::SettingsText(old);
    ASSERT_NE(settings, cantest::SettingsText(*cantest::NewUnit()));

    ASSERT_TRUE(system.BuildFromProfile(systest::Profile({systest::Types({2, 8, 8}), systest::Types({8})})));
    EXPECT_EQ(cantest::SettingsText(Unit463(0, 1)), settings);
    EXPECT_EQ(Unit463(0, 1).GetSlotCode(1), 100);
    // Ports and boxes that held no such unit before start from the defaults.
    EXPECT_EQ(cantest::SettingsText(Unit463(0, 2)), cantest::SettingsText(*cantest::NewUnit()));
    EXPECT_EQ(cantest::SettingsText(Unit463(1, 0)), cantest::SettingsText(*cantest::NewUnit()));
}

} // namespace
