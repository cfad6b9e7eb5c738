#include "graphdoc/model/objects/PowPrf.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"

void CPowPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_shift << m_window << m_kind << m_channel << m_strName;
        WriteArchiveTag(ar, kCountTag);
        ar << m_countMode;
    } else {
        ar >> m_shift >> m_window >> m_kind >> m_channel >> m_strName;
        if (PeekArchiveTag(ar, kCountTag))
            ar >> m_countMode;
        else
            m_countMode = spectrum::countTruncate;
    }
    m_docIdent.Serialize(ar);
}
