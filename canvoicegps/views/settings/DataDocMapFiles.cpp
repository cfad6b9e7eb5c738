#include "canvoicegps/views/settings/DataDocMapFiles.h"

#include "data/model/GpsMapUpload.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/DateTime.h"

int CDataDocMapFiles::GetPointCount() const { return m_doc.GetMapPointCount(); }

void CDataDocMapFiles::SetPointCount(int points) { m_doc.SetMapPointCount(points); }

bool CDataDocMapFiles::FindFile(fw::CString& path) { return m_doc.FindGpsMapFile(path); }

void CDataDocMapFiles::WriteFile(fw::CString& path)
{
    if (!m_doc.WriteGpsMapFile(path, 0, 0, -1))
        path.Empty();
}

bool CDataDocMapFiles::Upload(fw::CString& error)
{
    // The document keeps a file it sent once; a rewritten file must go up
    // under a name of its own.
    const fw::CString previous = m_doc.GetUploadedMapName();
    m_doc.SetUploadedMapName(fw::CString());
    const double now = fw::COleDateTime::GetCurrentTime().m_dt;
    if (m_doc.UploadGpsMap(m_uploader, m_instanceId, now, error))
        return true;
    m_doc.SetUploadedMapName(previous);
    return false;
}

fw::CString CDataDocMapFiles::UploadedName() const { return m_doc.GetUploadedMapName(); }
