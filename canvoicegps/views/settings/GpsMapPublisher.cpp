#include "canvoicegps/views/settings/GpsMapPublisher.h"

#include "framework/core/Format.h"
#include "framework/core/Profile.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"

namespace {

void Tell(unsigned id, const char* fallback)
{
    fw::CString text = fw::LoadStringText(id);
    if (text.IsEmpty())
        text = fallback;
    fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION, id);
}

} // namespace

fw::CString CGpsMapPublisher::PercentEncode(const fw::CString& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    fw::CString out;
    for (unsigned char c : text.str()) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

fw::CString CGpsMapPublisher::MapAddress(const fw::CString& host, const fw::CString& uploadedName, int sizePosition)
{
    return fw::Format("http://%s%s?uploaded_file=%s&widthheight=%d", host.c_str(), kPagePath,
                      PercentEncode(uploadedName).c_str(), sizePosition * kPixelsPerStep);
}

bool CGpsMapPublisher::PublishFile()
{
    fw::CString path;
    const bool exists = m_files.FindFile(path);
    if (exists && !m_rewrite)
        return true;
    m_files.WriteFile(path);
    if (path.IsEmpty()) {
        Tell(kIdsNotWritten, "GPSMAP.XMLファイルを作成できません。");
        return false;
    }
    fw::CString error;
    if (!m_files.Upload(error)) {
        Tell(kIdsNotSent, "GPSMAP.XMLファイルを送信できません。");
        return false;
    }
    return true;
}

bool CGpsMapPublisher::ShowMap(int points, int sizePosition, fw::CProfile* profile)
{
    if (points < kMinPoints || points > kMaxPoints) {
        fw::Prompt().MessageBox(fw::FormatString(fw::kIdpParseIntRange, std::to_string(kMinPoints),
                                                 std::to_string(kMaxPoints)),
                                fw::MB_OK | fw::MB_ICONEXCLAMATION, fw::kIdpParseIntRange);
        return false;
    }
    if (points != m_files.GetPointCount()) {
        m_files.SetPointCount(points);
        m_rewrite = true;
    }
    if (!PublishFile())
        return false;
    m_rewrite = false;
    if (profile)
        profile->WriteProfileInt(kSection, kSizeKey, sizePosition);
    if (!m_opener.Open(MapAddress(m_host, m_files.UploadedName(), sizePosition))) {
        Tell(kIdsNoBrowser, "ブラウザを表示できません。");
        return false;
    }
    return true;
}
