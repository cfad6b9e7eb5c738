#include "common/base/CommonBaseClasses.h"
#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr unsigned kCommFailure = 3004;

fw::CString MessageOf(const CZelException& e)
{
    fw::CString text;
    EXPECT_TRUE(e.GetErrorMessage(text));
    return text;
}

std::string Repeat(const std::string& unit, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += unit;
    return s;
}

TEST(ZelException, ThrowFunctionsReturnForCodeZero)
{
    EXPECT_NO_THROW(ThrowZelException(0, kCommFailure));
    EXPECT_NO_THROW(ThrowZelMessage(0, "any text"));
}

TEST(ZelException, ThrownCodeAndMessageIdReachTheCatchSite)
{
    const fw::CString expected = fw::LoadStringText(kCommFailure);
    ASSERT_FALSE(expected.IsEmpty());
    struct Row { const char* name; int code; };
    for (const Row& row : {Row{"failed check", 1}, Row{"unit error 52", kZelErrorUnitReply + 52}, Row{"time-out", 10001}}) {
        SCOPED_TRACE(row.name);
        try {
            ThrowZelException(row.code, kCommFailure);
            FAIL() << "nothing thrown";
        } catch (const fw::CException& caught) {
            const auto* e = dynamic_cast<const CZelException*>(&caught);
            ASSERT_NE(e, nullptr);
            EXPECT_TRUE(caught.IsKindOf(FW_RUNTIME_CLASS(CZelException)));
            EXPECT_EQ(e->m_nErrorCode, row.code);
            EXPECT_EQ(MessageOf(*e), expected);
        }
    }
    try {
        ThrowZelException(kZelErrorUnitReply + 52, kCommFailure);
    } catch (const CZelException& e) {
        EXPECT_EQ(e.m_nErrorCode & ~kZelErrorUnitReply, 52);
    }
}

TEST(ZelException, MessageIsLoadedWhenFirstAskedFor)
{
    // The id can still change between the throw and the first request.
    CZelException e(1, 3009u);
    e.SetMessageId(kCommFailure);
    EXPECT_EQ(MessageOf(e), fw::LoadStringText(kCommFailure));
}

TEST(ZelException, TextIsCutTo127Cp932BytesAtACharacterBoundary)
{
    struct Row { const char* name; std::string text; std::string expected; };
    const Row rows[] = {
        {"200 ASCII characters", std::string(200, 'a'), std::string(127, 'a')},
        {"exactly 127 bytes", std::string(127, 'b'), std::string(127, 'b')},
        {"double-byte characters", Repeat("測", 100), Repeat("測", 63)},
        {"odd start before double-byte", "x" + Repeat("測", 100), "x" + Repeat("測", 63)},
        {"half-width katakana count one byte", Repeat("ｱ", 200), Repeat("ｱ", 127)},
        {"null text", std::string(), std::string()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ThrowZelMessage(1, row.text.empty() ? nullptr : row.text.c_str());
            FAIL() << "nothing thrown";
        } catch (const CZelException& e) {
            const fw::CString message = MessageOf(e);
            EXPECT_EQ(message.str(), row.expected);
            EXPECT_LE(fw::cp932::ByteLength(message.str()), 127u);
        }
    }
}

TEST(ZelException, RethrowWithMessageIdKeepsCode)
{
    try {
        try {
            ThrowZelMessage(7, "");
        } catch (CZelException& e) {
            // What the instrument sequences do with an exception without text.
            if (MessageOf(e).IsEmpty())
                e.SetMessageId(kCommFailure);
            throw;
        }
    } catch (const CZelException& e) {
        EXPECT_EQ(e.m_nErrorCode, 7);
        EXPECT_EQ(MessageOf(e), fw::LoadStringText(kCommFailure));
    }
}

TEST(ZelException, SetMessageReplacesALoadedMessage)
{
    CZelException e(1, kCommFailure);
    EXPECT_FALSE(MessageOf(e).IsEmpty());
    e.SetMessage("接続が切れました");
    EXPECT_EQ(MessageOf(e), "接続が切れました");
    e.SetMessage(nullptr);
    EXPECT_EQ(MessageOf(e), "");
}

TEST(ZelException, UnknownMessageIdReportsTheNoMessagePrompt)
{
    fw::test::ServiceScope services;
    services.prompt.Expect(fw::kIdpNoErrorMessage, fw::IDOK);
    const CZelException e(1, 59999u);
    fw::CString text;
    EXPECT_FALSE(e.GetErrorMessage(text));
    EXPECT_TRUE(text.IsEmpty());
    e.ReportError();
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(ZelException, ReportErrorShowsTheMessage)
{
    fw::test::ServiceScope services;
    services.prompt.ExpectText("ケーブル", fw::IDOK);
    const CZelException e(1, kCommFailure);
    e.ReportError();
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(ZelException, RuntimeClassIsRegisteredUnderItsName)
{
    RegisterCommonBaseClasses();
    const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName("CZelException");
    ASSERT_EQ(cls, FW_RUNTIME_CLASS(CZelException));
    EXPECT_EQ(cls->base, FW_RUNTIME_CLASS(fw::CSimpleException));
    EXPECT_EQ(cls->CreateObject(), nullptr);
}

} // namespace
