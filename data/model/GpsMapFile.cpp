// The GPS track as the map service reads it: "GPSMAP.XML" in the
// document's folder, thinned to the wanted number of points.

#include "data/model/KivDataDoc.h"

#include "data/model/GpsMapUpload.h"
#include "framework/core/DateTime.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"

#include <cmath>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kMapFileName = "GPSMAP.XML";
constexpr const char* kDateFormat = "%Y/%m/%d %H:%M:%S";

} // namespace

bool CKivDataDoc::FindGpsPositionTanks(CDataTankObject*& longitude, CDataTankObject*& latitude)
{
    longitude = latitude = nullptr;
    for (bool raw : {false, true}) {
        int lon = -1, lat = -1;
        m_boxes.FindGpsPositionChannels(0, raw, lon, lat);
        if (lon >= 0 && lat >= 0) {
            longitude = m_boxes.GetTankList().GetObjectAt(lon);
            latitude = m_boxes.GetTankList().GetObjectAt(lat);
            return longitude != nullptr;
        }
    }
    CGpsDataTankList& gps = m_boxes.GetGpsTanks();
    if (gps.GetSize() > 3) {
        longitude = gps.GetObjectAt(2);
        latitude = gps.GetObjectAt(3);
    }
    return longitude != nullptr;
}

bool CKivDataDoc::HasGpsData()
{
    CDataTankObject* lon = nullptr;
    CDataTankObject* lat = nullptr;
    return m_boxes.GetGpsTanks().GetSize() > 0 || FindGpsPositionTanks(lon, lat);
}

bool CKivDataDoc::FindGpsMapFile(fw::CString& path) const
{
    path = fw::fs::PathJoin(GetDataFolder(), kMapFileName);
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path.str()), ec);
}

bool CKivDataDoc::WriteGpsMapFile(fw::CString& path, int16_t askMode, int first, int last)
{
    CDataTankObject* lonTank = nullptr;
    CDataTankObject* latTank = nullptr;
    if (!FindGpsPositionTanks(lonTank, latTank) || !latTank) {
        path.Empty();
        return true;
    }
    if (askMode >= 1) {
        IGpsMapPointDialog* dialog = fw::Installed<IGpsMapPointDialog>();
        int32_t count = m_nMapPoints;
        if (!dialog || !dialog->Ask(count, askMode == 1))
            return false;
        m_nMapPoints = count;
    }
    fw::CWaitCursor wait;
    if (path.IsEmpty())
        FindGpsMapFile(path);
    const int n = lonTank->GetDataCount();
    if (first < 0 || first >= n)
        return false;
    if (last < 0 || last > n - 1)
        last = n - 1;
    if (first > last)
        return false;
    const int points = std::max<int32_t>(m_nMapPoints, 1);
    const int step = (last - first + 1) / points + 1;

    auto point = [&](int k, std::string& out, const char* date) {
        const double lat = latTank->GetValue(k);
        const double lon = lonTank->GetValue(k);
        // A sample without a fix is no place on the map.
        if (!std::isfinite(lat) || !std::isfinite(lon))
            return false;
        out += date ? fw::Format("<marker lat=\"%f\" lng=\"%f\" date=\"%s\"/>\r\n", lat, lon, date).str()
                    : fw::Format("<marker lat=\"%f\" lng=\"%f\"/>\r\n", lat, lon).str();
        return true;
    };
    std::string text = "<?xml version='1.0' encoding='UTF-8'?>\r\n<markers>\r\n";
    const std::string start = fw::COleDateTime(m_dStartTime).Format(kDateFormat).str();
    int skipped = point(first, text, start.c_str()) ? 0 : 1;
    // The recording's marks replace the plain point they fall on or before,
    // with their own position and date.
    CMarkerList& marks = m_boxes.GetMarkers();
    fw::POSITION next = marks.GetHeadPosition();
    const CMarkerObj* pending = nullptr;
    while (next && !pending)
        if (const CMarkerObj* mark = marks.GetNext(next); mark->GetSampleIndex() > first)
            pending = mark;
    for (int k = first + step; k < last; k += step) {
        if (!pending || k < pending->GetSampleIndex()) {
            if (!point(k, text, nullptr))
                ++skipped;
            continue;
        }
        while (pending && k >= pending->GetSampleIndex()) {
            const int at = pending->GetSampleIndex();
            const std::string date = pending->GetDate().Format(kDateFormat).str();
            // A mark before the data has no position of its own.
            if (at < 0 || !point(at, text, date.c_str()))
                ++skipped;
            pending = next ? marks.GetNext(next) : nullptr;
        }
    }
    text += "</markers>\r\n";
    m_nSkippedMapPoints = skipped;
    try {
        fw::fs::AtomicReplace(path, [&](fw::CFile& file) { file.Write(text.data(), text.size()); });
    } catch (const std::exception&) {
        path.Empty();
    }
    if (!path.IsEmpty())
        m_strUploadedMap.Empty();
    return true;
}

bool CKivDataDoc::UploadGpsMap(CGpsMapUploader& uploader, const fw::CString& instanceId, double localTime,
                               fw::CString& error)
{
    if (!m_strUploadedMap.IsEmpty())
        return true;
    fw::CString path;
    if (!FindGpsMapFile(path) && !WriteGpsMapFile(path, 1, 0, -1))
        return false;
    if (path.IsEmpty())
        return false;
    fw::CWaitCursor wait;
    const fw::CString name = CGpsMapUploader::MakeMapName(instanceId, localTime);
    if (!uploader.Upload(path, name, error))
        return false;
    m_strUploadedMap = name;
    SetModifiedFlag(true);
    return true;
}
