#include "graphdoc/model/objects/DrawMoniDataObj.h"

#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphUpdateHints.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/DisplayContext.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A data document whose used-tank list holds float channels of one value
// each: channel i shows i + 0.5.
class ChannelDoc : public CKivDocBase {
public:
    explicit ChannelDoc(int channels)
    {
        m_docIdent = CDocIdent(7, 1234);
        SetTitle("proj");
        Resize(channels);
    }
    void Resize(int channels)
    {
        m_list.DeleteAll();
        for (int i = 0; i < channels; ++i) {
            auto* tank = new CFltDataTank;
            tank->SetFormat(1);
            tank->SetValue(0, i + 0.5);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }

    CDataTankList m_list;
};

class OneDocument : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return doc && doc->GetDocIdent() == ident ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class AlarmMonitor : public CDrawMoniDataObj {
public:
    using CDrawMoniDataObj::CDrawMoniDataObj;
    int state = 0;

protected:
    int QueryAlarmState() override { return state; }
};

class MonitorTest : public ::testing::Test {
protected:
    // A document takes a new identifier, at most one a second: one for all.
    static void SetUpTestSuite() { s_doc = new ChannelDoc(520); }
    static void TearDownTestSuite()
    {
        delete s_doc;
        s_doc = nullptr;
    }
    void SetUp() override
    {
        lookup.doc = &doc;
        CMoniDataPrf profile;
        profile.m_docIdent = doc.GetDocIdent();
        profile.m_channel = 504;
        profile.m_liveUpdate = 0;
        DefaultMonitorProfile() = profile;
    }
    void TearDown() override { DefaultMonitorProfile() = CMoniDataPrf(); }

    CUpdateGraphInsertDelete Change(int first, int last, int kind)
    {
        CUpdateGraphInsertDelete hint;
        hint.m_doc = doc.GetDocIdent();
        hint.m_first = first;
        hint.m_second = last;
        hint.m_key = kind;
        return hint;
    }

    static ChannelDoc* s_doc;
    ChannelDoc& doc = *s_doc;
    OneDocument lookup;
    fw::ScopedInstall<IGraphDocumentLookup> installed{lookup};
};

ChannelDoc* MonitorTest::s_doc = nullptr;

TEST_F(MonitorTest, ShowsItsChannelsValueOnceAttached)
{
    CDrawMoniDataObj monitor(fw::CRect(0, 0, 10, 10));
    EXPECT_EQ(monitor.GetAttachedDocument(), &doc);
    EXPECT_EQ(monitor.GetValueText(), "504.5");
    EXPECT_EQ(monitor.GetProfile().m_strTitle, "proj");
}

// One insertion announced for the used tanks and the monitor tanks moves
// the channel once; a deletion moves it back; the deleted channel itself
// shows no value rather than its successor's.
TEST_F(MonitorTest, FollowsInsertedAndDeletedChannelsOnce)
{
    CDrawMoniDataObj monitor(fw::CRect(0, 0, 10, 10));
    CDrawMoniDataObj onDeleted(fw::CRect(0, 0, 10, 10));
    CMoniDataPrf p = onDeleted.GetProfile();
    p.m_channel = 502;
    onDeleted.SetProfile(p);
    onDeleted.AttachDocument();
    ASSERT_EQ(onDeleted.GetValueText(), "502.5");

    for (int kind : {2, 4}) {
        auto hint = Change(502, 503, kind);
        monitor.OnUpdate(13, &hint);
    }
    EXPECT_EQ(monitor.GetProfile().m_channel, 506);
    EXPECT_EQ(monitor.GetValueText(), "506.5");

    for (int kind : {2, 4}) {
        auto hint = Change(502, 503, kind);
        monitor.OnUpdate(14, &hint);
        onDeleted.OnUpdate(14, &hint);
    }
    EXPECT_EQ(monitor.GetProfile().m_channel, 504);
    EXPECT_EQ(onDeleted.GetProfile().m_channel, 502);
    EXPECT_EQ(onDeleted.GetValueText(), "******");
    EXPECT_EQ(onDeleted.GetTank(), nullptr);

    auto once = Change(500, 500, -1);
    monitor.OnUpdate(13, &once);
    EXPECT_EQ(monitor.GetProfile().m_channel, 505);
    auto other = Change(500, 500, 2);
    other.m_doc = CDocIdent(1, 1);
    monitor.OnUpdate(13, &other);
    EXPECT_EQ(monitor.GetProfile().m_channel, 505);
}

TEST_F(MonitorTest, AlarmStatesPaintTheBackground)
{
    AlarmMonitor monitor(fw::CRect(0, 0, 10, 10));
    CMoniDataPrf p = monitor.GetProfile();
    p.m_alarmCheck = 1;
    monitor.SetProfile(p);
    const fw::COLORREF fill = monitor.GetFrameStyle().m_fill.lbColor;
    const struct {
        int state;
        fw::COLORREF expected;
    } rows[] = {
        {1, fw::RGB(255, 255, 0)}, {2, fw::RGB(255, 0, 0)}, {3, fw::RGB(255, 0, 255)},
        {4, fw::RGB(255, 0, 255)}, {0, fill},
    };
    for (const auto& row : rows) {
        monitor.state = row.state;
        monitor.UpdateAlarmColor();
        EXPECT_EQ(monitor.GetBackground(), row.expected) << row.state;
    }
    p.m_alarmCheck = 0;
    monitor.SetProfile(p);
    monitor.state = 2;
    EXPECT_EQ(monitor.UpdateAlarmColor(), fill);
}

TEST_F(MonitorTest, WithoutADocumentTheBoxShowsAsterisksSizedToTheDigits)
{
    lookup.doc = nullptr;
    CDrawMoniDataObj monitor(fw::CRect(100, 100, 110, 110));
    EXPECT_EQ(monitor.GetValueText(), "******");
    EXPECT_EQ(monitor.GetAttachedDocument(), nullptr);
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(monitor.m_font);
    fw::CFont* old = display->SelectObject(&font);
    const fw::CSize zeros = display->GetTextExtent("000000");
    display->SelectObject(old);
    const fw::CRect inner = monitor.GetFrameRect();
    EXPECT_EQ(inner.Width(), zeros.cx);
    EXPECT_EQ(inner.Height(), static_cast<int>(1.5 * zeros.cy));
}

TEST_F(MonitorTest, RecordRoundTripsAndReattaches)
{
    CDrawMoniDataObj monitor(fw::CRect(0, 0, 10, 10));
    monitor.m_textColor = 0x123456;
    const kivtest::Bytes stored = kivtest::StoreBody(monitor);

    CDrawObj plain(monitor.m_position);
    plain.m_relX = monitor.m_relX;
    plain.m_relY = monitor.m_relY;
    plain.m_frame = monitor.m_frame;
    kivtest::Bytes expected = kivtest::StoreBody(plain);
    const kivtest::Bytes font = kivtest::StoredBytes([&](fw::CArchive& ar) {
        LOGFONT copy = monitor.m_font;
        SerializeLogFont(ar, copy);
    });
    expected.insert(expected.end(), font.begin(), font.end());
    kivtest::ByteBuilder tail;
    tail.U32(0x123456).Str("504.5").U32(monitor.GetBackground());
    tail.I32(504).U32(fw::RGB(255, 255, 0)).U32(fw::RGB(255, 0, 0)).U32(fw::RGB(255, 0, 255));
    tail.U8(0).I16(6).U8(0).U8(1).I32(0).U8(1).I32(0).Str("proj").I32(7).I32(1234);
    expected.insert(expected.end(), tail.Get().begin(), tail.Get().end());
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored);

    CDrawMoniDataObj loaded;
    kivtest::LoadBody(loaded, stored);
    EXPECT_EQ(loaded.GetTank(), doc.GetChannelTank(504, 2));
    EXPECT_EQ(loaded.m_textColor, 0x123456u);
    EXPECT_EQ(loaded.GetProfile().m_channel, 504);
}

} // namespace

namespace {

// The box is filled in the alarm colour and the value is centred in it;
// the frame's own fill colour is kept for the next paint.
TEST_F(MonitorTest, DrawsTheValueOnTheAlarmColour)
{
    AlarmMonitor monitor(fw::CRect(0, 0, 10, 10));
    CMoniDataPrf p = monitor.GetProfile();
    p.m_alarmCheck = 1;
    monitor.SetProfile(p);
    monitor.state = 2;
    monitor.UpdateAlarmColor();
    const fw::COLORREF fill = monitor.GetFrameStyle().m_fill.lbColor;

    fw::RecordingSink sink(fw::kDisplayWidthPx, fw::kDisplayHeightPx, fw::kDisplayDpi, true);
    fw::CDC dc(&sink);
    monitor.Draw(&dc);
    bool red = false;
    bool value = false;
    for (const std::string& line : sink.Log()) {
        red = red || (line.rfind("rect ", 0) == 0 && line.find("brush=solid #FF0000") != std::string::npos);
        value = value || (line.rfind("text ", 0) == 0 && line.find("\"504.5\"") != std::string::npos);
    }
    std::string all;
    for (const std::string& line : sink.Log())
        all += line + "\n";
    EXPECT_TRUE(red) << all;
    EXPECT_TRUE(value) << all;
    EXPECT_EQ(monitor.GetFrameStyle().m_fill.lbColor, fill);
}

} // namespace

#include "graphdoc/model/objects/ObjectDialogs.h"
#include "project/model/ProjectHost.h"

namespace {

class CountingHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return *meter; }
    CADSetPrf& AdDefaults() override { return ad; }
    void StopPanelPolling() override { events += "stop "; }
    void RestartPanelPolling() override { events += "restart "; }
    CMeterInterfacePrf* meter = nullptr;
    CADSetPrf ad;
    std::string events;
};

class SwitchChannel : public IGraphObjectDialogs {
public:
    bool EditMonitor(CMoniDataPrf& profile) override
    {
        profile.m_channel = 3;
        return true;
    }
};

// Properties stop the panel's polling while the monitor changes its tank,
// and the next monitor starts from the edited profile.
TEST_F(MonitorTest, PropertiesRebindWhilePollingIsStopped)
{
    CountingHost host;
    fw::ScopedInstall<IProjectHost> hosted(host);
    SwitchChannel dialogs;
    fw::ScopedInstall<IGraphObjectDialogs> shown(dialogs);
    CDrawMoniDataObj monitor(fw::CRect(0, 0, 10, 10));
    monitor.OnEditProperties();
    EXPECT_EQ(host.events, "stop restart ");
    EXPECT_EQ(monitor.GetValueText(), "3.5");
    EXPECT_EQ(DefaultMonitorProfile().m_channel, 3);
}

} // namespace
