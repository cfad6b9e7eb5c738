#include "data/model/GpsMapUpload.h"

#include "framework/core/DateTime.h"
#include "framework/core/Format.h"
#include "framework/core/Profile.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>

namespace {

constexpr const char* kSection = "GPSMAP";
constexpr const char* kDefaultUser = "zelgooglemap";
constexpr const char* kDefaultPassword = "k4Rw9zPq2tXe";
constexpr const char* kDefaultFolder = "kiv/mapdata";
constexpr long kTimeoutSeconds = 30;

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

} // namespace

bool CGpsMapUploader::IsEnabled() const
{
    return !m_profile.GetProfileString(kSection, "HOST", "").IsEmpty();
}

fw::CString CGpsMapUploader::MakeMapName(const fw::CString& instanceId, double localTime)
{
    return instanceId + fw::COleDateTime(localTime).Format("%y%m%d%H%M%S") + ".xml";
}

bool CGpsMapUploader::Attempt(const fw::CString& localPath, const fw::CString& remoteName, bool passive,
                              fw::CString& error)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(localPath.c_str(), "rb"));
    if (!file) {
        error = "cannot read " + localPath;
        return false;
    }
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);

    InitCurlOnce();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        error = "no transfer handle";
        return false;
    }
    const fw::CString host = m_profile.GetProfileString(kSection, "HOST", "");
    const int port = m_profile.GetProfileInt(kSection, "PORT", 21);
    const fw::CString folder = m_profile.GetProfileString(kSection, "FOLDER", kDefaultFolder);
    const fw::CString user = m_profile.GetProfileString(kSection, "USER", kDefaultUser);
    const fw::CString password = m_profile.GetProfileString(kSection, "PASSWORD", kDefaultPassword);
    const fw::CString url = fw::Format("ftp://%s:%d/%s/%s", host, port, folder, remoteName);
    char message[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_READDATA, file.get());
    curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(curl.get(), CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_FTP_USE_EPSV, 0L);
    if (!passive)
        curl_easy_setopt(curl.get(), CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, kTimeoutSeconds * 4);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, message);
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK) {
        error = message[0] ? fw::CString(message) : fw::CString(curl_easy_strerror(result));
        return false;
    }
    return true;
}

bool CGpsMapUploader::Upload(const fw::CString& localPath, const fw::CString& remoteName, fw::CString& error)
{
    if (!IsEnabled()) {
        error = "no map server is set";
        return false;
    }
    const bool initial = m_profile.GetProfileInt(kSection, "PASSIVE", 1) != 0;
    bool passive = initial;
    bool done = Attempt(localPath, remoteName, passive, error);
    if (!done) {
        passive = !passive;
        done = Attempt(localPath, remoteName, passive, error);
    }
    if (done && passive != initial)
        m_profile.WriteProfileInt(kSection, "PASSIVE", passive ? 1 : 0);
    return done;
}
