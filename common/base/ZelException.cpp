#include "common/base/ZelException.h"

FW_IMPLEMENT_DYNAMIC(CZelException, fw::CSimpleException)

CZelException::CZelException(int32_t code, unsigned messageId)
    : fw::CSimpleException(messageId), m_nErrorCode(code)
{
}

CZelException::CZelException(int32_t code, const char* text)
    : m_nErrorCode(code)
{
    SetMessageText(text);
}

void CZelException::SetMessage(const char* text)
{
    SetMessageText(text);
}

void CZelException::SetMessageId(unsigned messageId)
{
    SetMessageResource(messageId);
}

void ThrowZelException(int code, unsigned messageId)
{
    if (code == 0)
        return;
    throw CZelException(code, messageId);
}

void ThrowZelMessage(int code, const char* text)
{
    if (code == 0)
        return;
    throw CZelException(code, text);
}
