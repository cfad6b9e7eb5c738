#pragma once

// Showing a measurement's GPS track on the map service: the markers file is
// written and uploaded only when it is missing or out of date, then the
// service's page opens in the desktop's browser with the uploaded file's
// name and the map size.

#include "framework/core/CString.h"

#include <utility>

namespace fw {
class CProfile;
}

// The data document's side: its markers file and its upload.
class IGpsMapFiles {
public:
    virtual ~IGpsMapFiles() = default;
    virtual int GetPointCount() const = 0;
    virtual void SetPointCount(int points) = 0;
    // True when the file exists; `path` is where it is or would be.
    virtual bool FindFile(fw::CString& path) = 0;
    // Writes the file; `path` comes back empty when nothing was written.
    virtual void WriteFile(fw::CString& path) = 0;
    virtual bool Upload(fw::CString& error) = 0;
    // The name under which the file was uploaded last.
    virtual fw::CString UploadedName() const = 0;
};

// Opens an address in the desktop's browser; false when it could not.
class IAddressOpener {
public:
    virtual ~IAddressOpener() = default;
    virtual bool Open(const fw::CString& address) = 0;
};

class CGpsMapPublisher {
public:
    static constexpr int kMinPoints = 50;
    static constexpr int kMaxPoints = 5000;
    static constexpr int kDefaultPoints = 500;
    static constexpr int kMinSize = 6;
    static constexpr int kMaxSize = 12;
    static constexpr int kDefaultSize = 8;
    static constexpr int kPixelsPerStep = 50;
    static constexpr unsigned kIdsNotWritten = 880;
    static constexpr unsigned kIdsNotSent = 881;
    static constexpr unsigned kIdsNoBrowser = 882;
    static constexpr const char* kSection = "GPSMAP";
    static constexpr const char* kSizeKey = "SIZE";
    static constexpr const char* kPagePath = "/~zelgooglemap/kiv/mapupload3.cgi";

    // `host`: the map service's host name, set by the deployment.
    CGpsMapPublisher(IGpsMapFiles& files, IAddressOpener& opener, fw::CString host)
        : m_files(files), m_opener(opener), m_host(std::move(host))
    {
    }

    // The markers changed: the next map writes the file again.
    void MarkersChanged() { m_rewrite = true; }
    bool MustRewrite() const { return m_rewrite; }
    // The file written before still holds the current markers.
    void MarkersCurrent() { m_rewrite = false; }

    // Writes and uploads the file when needed and opens the page; the
    // size position is stored under "GPSMAP"/"SIZE" when `profile` is
    // given. False when something was refused or failed (and told).
    bool ShowMap(int points, int sizePosition, fw::CProfile* profile);

    // The page of a map: http://host/path?uploaded_file=<name>&widthheight=<pixels>,
    // the name percent-encoded.
    static fw::CString MapAddress(const fw::CString& host, const fw::CString& uploadedName, int sizePosition);
    static fw::CString PercentEncode(const fw::CString& text);

private:
    bool PublishFile();

    IGpsMapFiles& m_files;
    IAddressOpener& m_opener;
    fw::CString m_host;
    bool m_rewrite = true;
};
