#include "docbase/doc/UpdateHints.h"

FW_IMPLEMENT_DYNAMIC(CUpdateDataDoc, fw::CObject)
FW_IMPLEMENT_DYNAMIC(CUpdateKivData, CUpdateDataDoc)
FW_IMPLEMENT_DYNAMIC(CUpdateChangeDocIdent, fw::CObject)

bool CUpdateKivData::IsSentBy(const fw::CDocument* document, const fw::CRuntimeClass* senderClass) const
{
    return m_pDocument == document && m_pSender != nullptr && m_pSender->IsKindOf(senderClass);
}
