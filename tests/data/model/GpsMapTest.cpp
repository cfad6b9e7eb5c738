#include "tests/data/model/DataFixture.h"

#include "common/calc/CashCalcuDataTank.h"
#include "data/model/GpsMapUpload.h"
#include "framework/core/DateTime.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Profile.h"
#include "framework/core/ServiceSlot.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

namespace datatest {
namespace {

namespace fs = std::filesystem;

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class GpsMapTest : public DataFixture {
protected:
    // Channel 1 longitude (code 3), channel 2 latitude (code 4) of `n`
    // samples, saved into folder "GPSRUN".
    std::unique_ptr<CKivDataDoc> MakeTrack(int n)
    {
        auto doc = MakeDocument(n);
        doc->GetBoxArray().GetSourceCodes() = {0, 3, 4};
        CKivSPTankData& list = doc->GetBoxArray().GetTankList();
        for (int i = 0; i < n; ++i) {
            list.GetObjectAt(1)->SetValue(i, 139.5 + (i % 64) / 64.0);
            list.GetObjectAt(2)->SetValue(i, 35.25 + (i % 64) / 128.0);
        }
        doc->SetStartTime(fw::COleDateTime(2024, 1, 31, 12, 0, 0).m_dt);
        const fs::path path = FolderPath("GPSRUN") / "GPSRUN.kivd";
        EXPECT_TRUE(doc->OnSaveDocument(fw::CString(path.string())));
        doc->SetPathName(fw::CString(path.string()), false);
        return doc;
    }
};

TEST_F(GpsMapTest, TrackIsThinnedToThePointCount)
{
    auto doc = MakeTrack(10000);
    fw::CString path;
    EXPECT_FALSE(doc->FindGpsMapFile(path));
    ASSERT_TRUE(doc->WriteGpsMapFile(path, 0, 0, -1));
    ASSERT_FALSE(path.IsEmpty());
    const std::string xml = ReadAll(path.str());
    EXPECT_EQ(xml.rfind("<?xml version='1.0' encoding='UTF-8'?>\r\n<markers>\r\n"
                        "<marker lat=\"35.250000\" lng=\"139.500000\" date=\"2024/01/31 12:00:00\"/>\r\n"
                        "<marker lat=\"35.414062\" lng=\"139.828125\"/>\r\n",
                        0),
              0u);
    EXPECT_EQ(CountOf(xml, "<marker "), 477);
    EXPECT_EQ(xml.substr(xml.size() - 12), "</markers>\r\n");
    EXPECT_TRUE(doc->FindGpsMapFile(path));
}

TEST_F(GpsMapTest, SamplesWithoutAFixAreLeftOut)
{
    auto doc = MakeTrack(20);
    doc->GetBoxArray().GetTankList().GetObjectAt(1)->SetValue(2, NAN);
    doc->SetMapPointCount(50);
    fw::CString path;
    ASSERT_TRUE(doc->WriteGpsMapFile(path, 0, 0, -1));
    const std::string xml = ReadAll(path.str());
    EXPECT_EQ(CountOf(xml, "<marker "), 18) << xml.substr(0, 300);
    EXPECT_EQ(xml.find("nan"), std::string::npos);
    EXPECT_EQ(doc->GetSkippedMapPoints(), 1);
}

TEST_F(GpsMapTest, EmptyRangeAndCancelledCountWriteNothing)
{
    auto doc = MakeTrack(20);
    fw::CString path;
    EXPECT_FALSE(doc->WriteGpsMapFile(path, 0, 20, -1));
    EXPECT_FALSE(doc->WriteGpsMapFile(path, 0, 10, 5));
    struct Cancel : IGpsMapPointDialog {
        bool Ask(int32_t&, bool) override { return false; }
    } cancel;
    fw::ScopedInstall<IGpsMapPointDialog> install(cancel);
    EXPECT_FALSE(doc->WriteGpsMapFile(path, 1, 0, -1));
}

// An FTP server on loopback for one test (python3-pyftpdlib).
class FtpServer {
public:
    explicit FtpServer(const fs::path& root)
    {
        port = FreePort();
        pid = fork();
        if (pid == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            const std::string p = std::to_string(port);
            execl("/usr/bin/python3", "python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", p.c_str(), "-w", "-d",
                   root.c_str(), "-u", "zelgooglemap", "-P", "k4Rw9zPq2tXe", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && !Reachable(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~FtpServer()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    static int FreePort()
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
        close(s);
        return ntohs(a.sin_port);
    }
    bool Reachable() const
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<uint16_t>(port));
        const bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        close(s);
        return ok;
    }
    int port = 0;
    pid_t pid = -1;
};

TEST_F(GpsMapTest, UploadReachesTheServerOnceAndFailuresAreNotRemembered)
{
    auto doc = MakeTrack(100);
    const fs::path root = FolderPath("ftproot");
    fs::create_directories(root / "kiv" / "mapdata");
    fw::CProfile profile(dir / "KIV-5400.ini");
    profile.WriteProfileString("GPSMAP", "HOST", "127.0.0.1");
    const double now = fw::COleDateTime(2024, 2, 1, 9, 30, 0).m_dt;
    const fw::CString id = "{00000000-0000-0000-0000-000000000001}";
    fw::CString error;

    // Nothing listens yet: the upload fails and no map name is kept.
    profile.WriteProfileInt("GPSMAP", "PORT", FtpServer::FreePort());
    {
        CGpsMapUploader uploader(profile);
        fw::CString path;
        ASSERT_TRUE(doc->WriteGpsMapFile(path, 0, 0, -1));
        EXPECT_FALSE(doc->UploadGpsMap(uploader, id, now, error));
        EXPECT_TRUE(doc->GetUploadedMapName().IsEmpty());
    }

    FtpServer server(root);
    ASSERT_TRUE(server.Reachable());
    profile.WriteProfileInt("GPSMAP", "PORT", server.port);
    CGpsMapUploader uploader(profile);
    ASSERT_TRUE(doc->UploadGpsMap(uploader, id, now, error)) << error.str();
    const std::string name = "{00000000-0000-0000-0000-000000000001}240201093000.xml";
    EXPECT_EQ(doc->GetUploadedMapName(), name);
    fw::CString local;
    doc->FindGpsMapFile(local);
    EXPECT_EQ(ReadAll(root / "kiv" / "mapdata" / name), ReadAll(local.str()));

    // The same file again: nothing is sent.
    fs::remove(root / "kiv" / "mapdata" / name);
    EXPECT_TRUE(doc->UploadGpsMap(uploader, id, now + 1.0 / 1440, error));
    EXPECT_FALSE(fs::exists(root / "kiv" / "mapdata" / name));
}

} // namespace
} // namespace datatest
