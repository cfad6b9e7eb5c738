#include "data/model/DataHeaderReaderImpl.h"

#include "data/model/KivDataDoc.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

bool CKivDataHeaderReader::ReadHeader(const fw::CString& path, CMMAHeader& header)
{
    fw::CFile file;
    if (!file.Open(path, fw::CFile::modeRead | fw::CFile::typeBinary))
        return false;
    CKivDataDoc doc;
    doc.SetHeaderRecord(&header);
    doc.SetHeaderOnly(true);
    fw::CArchive ar(&file, fw::CArchive::load);
    ar.m_strFileName = path;
    doc.Serialize(ar);
    return true;
}
