// CAN files of CAN/voice/GPS units after the waveform data of their box:
// frames decoded into the tanks of the messages and signals, from unit
// memory and from a PC folder, and the damaged files that must not be
// read.

#include "tests/measure/TransferFixture.h"

#include "canvoicegps/CanMesNode.h"
#include "canvoicegps/CanMesSignal.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/CanSigArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "common/calc/GpsCanTankLists.h"
#include "measure/model/CanUpdate.h"
#include "measure/model/GetCFUpdate.h"
#include "measure/model/GetFileUpdate.h"
#include "measure/model/TransferRun.h"

#include <fstream>

namespace {

using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

const char* const kDatabase =
    "[CAN_SETTINGS]\r\nBAUD 500\r\n"
    "[CAN_MESSAGE_RECEIVE]\r\n"
    "[CAN_SLOT_] 1 0\r\n"
    "[CAN_BO_] 291 ENGINE 8 ECU\r\n"
    "[CAN_SG_] RPM : 0|16@1+ (0.25,0) [0|16383] \"rpm\" 2 0\r\n"
    "[CAN_SG_] LOAD : 16|8@1+ (1,0) [0|255] \"%\" 0 0\r\n"
    "[CAN_SLOT_] 3 0\r\n"
    "[CAN_BO_] 300 BODY 2 ECU\r\n"
    "[CAN_SG_] SPEED : 7|16@0+ (0.01,0) [0|655.35] \"km/h\" 2 1\r\n"
    "[CAN_MESSAGE_END]\r\n";

constexpr int kEngineFrames = 250;
constexpr int kBodyFrames = 40;

kivemu::CanFrame EngineFrame(int k)
{
    return {static_cast<uint32_t>(1000 + k), 1,
            {static_cast<uint8_t>(k & 0xFF), static_cast<uint8_t>(k >> 8), static_cast<uint8_t>(k * 7), 0, 0, 0, 0, 0}};
}

kivemu::CanFrame BodyFrame(int k)
{
    return {static_cast<uint32_t>(5000 + k), 3, {static_cast<uint8_t>((k * 300) >> 8), static_cast<uint8_t>(k * 300)}};
}

// Blocks of up to ten frames, engine and body frames interleaved, with
// frames for slot 65 and for an empty slot, and a block ended early by a
// record of data length 0.
std::vector<std::vector<uint8_t>> Blocks()
{
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<kivemu::CanFrame> frames;
    int body = 0;
    for (int k = 0; k < kEngineFrames; ++k) {
        frames.push_back(EngineFrame(k));
        if (k % 6 == 0 && body < kBodyFrames)
            frames.push_back(BodyFrame(body++));
        if (k == 17)
            frames.push_back({7, 65, {1, 2}});
        if (k == 18)
            frames.push_back({7, 2, {1, 2, 3}});
        if (frames.size() >= 10) {
            blocks.push_back(kivemu::CanBlock(frames));
            frames.clear();
        }
        if (k == 100) {
            // The record of length 0 ends this block; its last frame is lost.
            std::vector<uint8_t> cut = kivemu::CanBlock({{9, 1, {}}, {9, 1, {9, 9}}});
            blocks.push_back(cut);
        }
    }
    while (body < kBodyFrames)
        frames.push_back(BodyFrame(body++));
    blocks.push_back(kivemu::CanBlock(frames));
    return blocks;
}

class CanTransferTest : public seqtest::SequenceTest {
protected:
    static void SetUpTestSuite()
    {
        SequenceTest::SetUpTestSuite();
        RegisterCanVoiceGpsClasses();
    }

    kivemu::RecordedSetSpec Spec()
    {
        kivemu::RecordedSetSpec spec;
        spec.name = "A0001";
        spec.channels = {1, 2};
        spec.widths = {2, 2};
        spec.samples = 100;
        spec.unitTypes = {2, 8, 0, 0, 0, 0, 0, 0, 0, 0};
        return spec;
    }

    CKiv406FileInfo Entry(const kivemu::RecordedSet& set, const std::string& name)
    {
        const kivemu::RecordedSetSpec spec = Spec();
        CKiv406FileInfo entry;
        entry.m_name = name.c_str();
        entry.m_headerSize = static_cast<int>(set.header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = spec.samples;
        for (int p = 0; p < 10; ++p)
            entry.m_unitTypes.SetAt(p, spec.unitTypes[static_cast<size_t>(p)]);
        return entry;
    }

    CTransferRun::Result RunCard(const std::vector<uint8_t>& canFile, int timeoutS = 100)
    {
        Connect(1, {2, 8});
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(Spec());
        Dev(0).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
            meter.files.push_back({"A0001.hed", std::vector<uint8_t>(set.header.begin(), set.header.end()), -1});
            meter.files.push_back({"A0001.dat", set.data, -1});
            meter.files.push_back({"A0001_02.can", canFile, -1});
        });
        list = {Entry(set, "A0001")};
        vectors = {&list};
        system.BeginMeterEdit();
        CGetCFUpdate main(host);
        CGetCanUpdate can(host);
        main.SetFileLists(&vectors);
        if (!main.Prepare())
            return CTransferRun::kCancelled;
        CTransferRun run(host);
        run.SetCompanions(nullptr, &can);
        run.SetReplyTimeout(timeoutS);
        const CTransferRun::Result result = run.RunThroughUnits(main);
        messages = &dynamic_cast<CKiv463Unit*>(system.GetBox(0)->GetMeter()->GetUnit(1))->Messages();
        system.EndMeterEdit();
        return result;
    }

    CTransferRun::Result RunFolder(const std::vector<uint8_t>& canFile)
    {
        Connect(1, {2});
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(Spec());
        const std::string base = std::string(temp.Path().c_str()) + "/A0001";
        std::ofstream(base + ".HED", std::ios::binary) << set.header;
        std::ofstream(base + ".DAT", std::ios::binary)
            .write(reinterpret_cast<const char*>(set.data.data()), static_cast<std::streamsize>(set.data.size()));
        std::ofstream(base + "_02.can", std::ios::binary)
            .write(reinterpret_cast<const char*>(canFile.data()), static_cast<std::streamsize>(canFile.size()));
        list = {Entry(set, base)};
        vectors = {&list};
        CGetFileUpdate main(host), second(host);
        CGetCanFileUpdate can(host), canSecond(host);
        main.SetFileLists(&vectors);
        if (!main.Prepare())
            return CTransferRun::kCancelled;
        CTransferRun run(host);
        run.SetCompanions(nullptr, &can, nullptr, &canSecond);
        const CTransferRun::Result result = run.RunFromFolder(main, second);
        messages = &dynamic_cast<CKiv463Unit*>(host.import->GetBox(0)->GetMeter()->GetUnit(1))->Messages();
        return result;
    }

    void ExpectDecoded()
    {
        ASSERT_NE(messages, nullptr);
        C463CanMesNode* engine = messages->GetAt(0);
        C463CanMesNode* body = messages->GetAt(2);
        ASSERT_NE(engine, nullptr);
        ASSERT_NE(body, nullptr);
        CDataTankObject* time = engine->GetTimeStampTank();
        CDataTankObject* rpm = engine->Signals().GetAt(0)->GetValueTank();
        CDataTankObject* load = engine->Signals().GetAt(1)->GetValueTank();
        CDataTankObject* speed = body->Signals().GetAt(0)->GetValueTank();
        ASSERT_TRUE(time && rpm && load && speed);
        // 250 frames and the one before the length-0 record: tanks grew in
        // steps of 100 and end with exactly the frames.
        EXPECT_EQ(time->GetDataCount(), kEngineFrames);
        EXPECT_EQ(rpm->GetDataCount(), kEngineFrames);
        EXPECT_EQ(speed->GetDataCount(), kBodyFrames);
        for (int k = 0; k < kEngineFrames; ++k) {
            SCOPED_TRACE(k);
            ASSERT_EQ(time->GetValue(k), 1000.0 + k);
            ASSERT_EQ(rpm->GetValue(k), k * 0.25);
            ASSERT_EQ(load->GetValue(k), static_cast<double>(static_cast<uint8_t>(k * 7)));
        }
        for (int k = 0; k < kBodyFrames; ++k)
            ASSERT_NEAR(speed->GetValue(k), static_cast<uint16_t>(k * 300) * 0.01, 1e-9) << k;
        EXPECT_EQ(rpm->GetName(), "RPM");
        EXPECT_EQ(rpm->GetUnit(), "rpm");
        EXPECT_EQ(time->GetUnit(), "sec");
    }

    TestHost host{system};
    Files list;
    CBoxArray::FileVectors vectors;
    CCanNodeArray* messages = nullptr;
};

TEST_F(CanTransferTest, MemoryFramesAreDecodedIntoTheirMessagesTanks)
{
    EXPECT_EQ(RunCard(kivemu::MakeCanFile(kDatabase, Blocks())), CTransferRun::kCompleted)
        << (host.messages.empty() ? "" : host.messages[0]);
    ExpectDecoded();
    // One time tank per message and one tank per signal.
    EXPECT_EQ(system.GetCanTanks().GetSize(), 5);
}

TEST_F(CanTransferTest, FolderFramesAreDecodedIntoTheirMessagesTanks)
{
    EXPECT_EQ(RunFolder(kivemu::MakeCanFile(kDatabase, Blocks())), CTransferRun::kCompleted)
        << (host.messages.empty() ? "" : host.messages[0]);
    ExpectDecoded();
}

struct DamageRow {
    const char* name;
    bool folder;
    bool cutShort;  // else a block length of 1
};

class CanDamageTest : public CanTransferTest, public ::testing::WithParamInterface<DamageRow> {};

TEST_P(CanDamageTest, EndsWithTheBlockAddressNamed)
{
    std::vector<std::vector<uint8_t>> blocks = {kivemu::CanBlock({EngineFrame(0), EngineFrame(1)})};
    const std::vector<uint8_t> file0 = kivemu::MakeCanFile(kDatabase, blocks);
    const size_t address = file0.size();
    if (GetParam().cutShort) {
        std::vector<uint8_t> last = kivemu::CanBlock({EngineFrame(2), EngineFrame(3)});
        last.resize(last.size() - 3);
        blocks.push_back(last);
    } else {
        blocks.push_back(kivemu::CanBlock({EngineFrame(2)}, 1));
    }
    const std::vector<uint8_t> file = kivemu::MakeCanFile(kDatabase, blocks);
    const auto result = GetParam().folder ? RunFolder(file) : RunCard(file);
    EXPECT_EQ(result, CTransferRun::kFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    char hex[32];
    std::snprintf(hex, sizeof hex, "アドレス %lX", static_cast<unsigned long>(address));
    EXPECT_NE(host.messages[0].find(hex), std::string::npos) << host.messages[0];
    EXPECT_NE(host.messages[0].find("を読み込めませんでした。"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Files, CanDamageTest,
                         ::testing::Values(DamageRow{"MemoryBlockLengthOne", false, false},
                                           DamageRow{"MemoryBlockCutShort", false, true},
                                           DamageRow{"FolderBlockLengthOne", true, false},
                                           DamageRow{"FolderBlockCutShort", true, true}),
                         [](const ::testing::TestParamInfo<DamageRow>& info) { return std::string(info.param.name); });

TEST_F(CanTransferTest, TheHeaderPartNeverReadsPastTheFile)
{
    // The header part would end four bytes after the offset, but the file
    // ends two bytes after it (one empty block).
    const std::vector<uint8_t> file = kivemu::MakeCanFile(kDatabase, {kivemu::CanBlock({})}, 64 * 10 + 60);
    link.SetReplyTimeout(1);
    EXPECT_EQ(RunCard(file, 1), CTransferRun::kCompleted) << (host.asked.empty() ? "" : host.asked[0]);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(system.GetCanTanks().GetSize(), 5);
}

TEST_F(CanTransferTest, AFileOffsetOf13IsNotRead)
{
    std::vector<uint8_t> file = kivemu::MakeCanFile(kDatabase, Blocks());
    const std::string bad = "FILE_OFFSET     13";
    std::copy(bad.begin(), bad.end(), file.begin());
    EXPECT_EQ(RunFolder(file), CTransferRun::kCompleted);
    EXPECT_EQ(host.import->GetCanTanks().GetSize(), 0);
}

} // namespace
