#pragma once

// The markers file of a measurement-data document as the GPS map form
// publishes it.

#include "canvoicegps/views/settings/GpsMapPublisher.h"

class CKivDataDoc;
class CGpsMapUploader;

class CDataDocMapFiles : public IGpsMapFiles {
public:
    CDataDocMapFiles(CKivDataDoc& doc, CGpsMapUploader& uploader, fw::CString instanceId)
        : m_doc(doc), m_uploader(uploader), m_instanceId(std::move(instanceId))
    {
    }

    int GetPointCount() const override;
    void SetPointCount(int points) override;
    bool FindFile(fw::CString& path) override;
    void WriteFile(fw::CString& path) override;
    // Sends the file under a new name, even when an older one went up
    // before; the older name stays when this transfer fails.
    bool Upload(fw::CString& error) override;
    fw::CString UploadedName() const override;

private:
    CKivDataDoc& m_doc;
    CGpsMapUploader& m_uploader;
    fw::CString m_instanceId;
};
