#include "framework/core/AllocLimit.h"
#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/framework/core/ArchiveTestClasses.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace fw;
using namespace arctest;

namespace {

class CObjTestDynamic : public CObject {
    FW_DECLARE_DYNAMIC(CObjTestDynamic)
};
FW_IMPLEMENT_DYNAMIC(CObjTestDynamic, CObject)

class CObjTestCreate : public CObjTestDynamic {
    FW_DECLARE_DYNCREATE(CObjTestCreate)
};
FW_IMPLEMENT_DYNCREATE(CObjTestCreate, CObjTestDynamic)

// Same name as a test class, different class.
class CArcTestItemImpostor : public CObject {
public:
    static const CRuntimeClass s_runtimeClass;
};
const CRuntimeClass CArcTestItemImpostor::s_runtimeClass = {"CArcTestItem", &CObject::s_runtimeClass, 1, nullptr};

// The way the program's own exception builds on the simple exception.
class CTestSimpleException : public CSimpleException {
public:
    explicit CTestSimpleException(unsigned id) : CSimpleException(id) {}
    void SetMessage(const char* text) { SetMessageText(text); }
    void SetMessageId(unsigned id) { SetMessageResource(id); }
};

TEST(ObjectTest, RuntimeClassesKnowTheirLineage)
{
    CObjTestCreate obj;
    EXPECT_EQ(obj.GetRuntimeClass(), FW_RUNTIME_CLASS(CObjTestCreate));
    EXPECT_TRUE(obj.IsKindOf(FW_RUNTIME_CLASS(CObjTestDynamic)));
    EXPECT_TRUE(obj.IsKindOf(FW_RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj.IsKindOf(FW_RUNTIME_CLASS(CArcTestItem)));
    EXPECT_FALSE(FW_RUNTIME_CLASS(CObjTestDynamic)->IsDerivedFrom(FW_RUNTIME_CLASS(CObjTestCreate)));
    EXPECT_STREQ(FW_RUNTIME_CLASS(CObjTestCreate)->name, "CObjTestCreate");
}

TEST(ObjectTest, CreationByClass)
{
    EXPECT_EQ(FW_RUNTIME_CLASS(CObjTestDynamic)->CreateObject(), nullptr);
    std::unique_ptr<CObject> made(FW_RUNTIME_CLASS(CObjTestCreate)->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), FW_RUNTIME_CLASS(CObjTestCreate));
}

TEST(ObjectTest, LookupByNameIsExact)
{
    RegisterTestClasses();
    RegisterTestClasses(); // twice is harmless
    EXPECT_EQ(CRuntimeClass::FromName("CArcTestItem"), FW_RUNTIME_CLASS(CArcTestItem));
    EXPECT_EQ(CRuntimeClass::FromName("carctestitem"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CArcTestItem "), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CObjTestDynamic"), nullptr); // never registered
    EXPECT_EQ(CRuntimeClass::FromName("CObArray"), FW_RUNTIME_CLASS(CObArray));
    EXPECT_THROW(RegisterClass(&CArcTestItemImpostor::s_runtimeClass), std::logic_error);
    EXPECT_EQ(CRuntimeClass::FromName("CArcTestItem"), FW_RUNTIME_CLASS(CArcTestItem));
}

TEST(ObjectTest, RegistrationFromManyThreads)
{
    std::atomic<int> misses{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                RegisterTestClasses();
                if (CRuntimeClass::FromName("CArcTestNode") != FW_RUNTIME_CLASS(CArcTestNode))
                    ++misses;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(misses.load(), 0);
}

// ------------------------------------------------------------ exceptions

TEST(ExceptionTest, SimpleExceptionLoadsItsTextOnFirstRequest)
{
    CString expected;
    ASSERT_TRUE(LoadString(61729, expected));
    CTestSimpleException e(61729);
    CString text;
    EXPECT_TRUE(e.GetErrorMessage(text));
    EXPECT_EQ(text, expected);

    CTestSimpleException missing(1); // no such entry
    EXPECT_FALSE(missing.GetErrorMessage(text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(ExceptionTest, SimpleExceptionTextIsCutAt127Cp932Bytes)
{
    struct Row { const char* name; std::string text; std::string expected; };
    std::string kanji;
    for (int i = 0; i < 100; ++i)
        kanji += "漢";
    std::string kanji63;
    for (int i = 0; i < 63; ++i)
        kanji63 += "漢";
    const Row rows[] = {
        {"200 ASCII", std::string(200, 'a'), std::string(127, 'a')},
        {"100 kanji", kanji, kanji63},
        {"short", "abc", "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTestSimpleException e(0);
        e.SetMessage(row.text.c_str());
        CString text;
        EXPECT_TRUE(e.GetErrorMessage(text));
        EXPECT_EQ(text.str(), row.expected);
    }
}

TEST(ExceptionTest, SetMessageIdReloadsOnTheNextRequest)
{
    CTestSimpleException e(0);
    e.SetMessage("given");
    e.SetMessageId(61729);
    CString text;
    EXPECT_TRUE(e.GetErrorMessage(text));
    EXPECT_EQ(text, LoadStringText(61729));
}

TEST(ExceptionTest, RethrownExceptionKeepsTheChange)
{
    try {
        try {
            throw CTestSimpleException(0);
        } catch (CTestSimpleException& e) {
            e.SetMessage("more specific");
            throw;
        }
    } catch (const CException& e) {
        CString text;
        ASSERT_TRUE(e.GetErrorMessage(text));
        EXPECT_EQ(text, CString("more specific"));
        EXPECT_STREQ(e.what(), "more specific");
    }
}

TEST(ExceptionTest, ReportingPicksThePrompt)
{
    struct Row { const char* name; std::function<void()> report; unsigned id; };
    const Row rows[] = {
        {"out of memory", [] { ReportException(std::bad_alloc()); }, 61475},
        {"archive", [] { ReportException(CArchiveException(CArchiveException::badClass, "a.kiv")); }, 61728},
        {"file", [] { ReportException(CFileException(CFileException::diskFull, -1, "a.kiv")); }, 61730},
        {"without a message", [] { CTestSimpleException(1).ReportError(); }, 61472},
        {"without a message, caller's id", [] { CTestSimpleException(1).ReportError(0, 264); }, 264},
        {"foreign exception", [] { ReportException(std::runtime_error("x"), 264); }, 264},
        {"foreign exception, no id", [] { ReportException(std::runtime_error("x")); }, 61472},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::test::ServiceScope services;
        services.prompt.Expect(row.id, IDOK);
        row.report();
        EXPECT_EQ(services.prompt.Problems(), "");
    }
}

TEST(ExceptionTest, UserExceptionIsNeverReported)
{
    fw::test::ServiceScope services;
    ReportException(CUserException());
    EXPECT_THROW(ThrowUserException(), CUserException);
    EXPECT_TRUE(services.prompt.Prompts().empty());
}

TEST(ExceptionTest, ThrowHelpersCarryTheirData)
{
    try {
        ThrowArchiveException(CArchiveException::badSchema, "x.kiv");
    } catch (const CException& e) {
        auto* a = dynamic_cast<const CArchiveException*>(&e);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->m_cause, CArchiveException::badSchema);
        EXPECT_EQ(a->m_strFileName, CString("x.kiv"));
        EXPECT_TRUE(e.IsKindOf(FW_RUNTIME_CLASS(CArchiveException)));
    }
    EXPECT_THROW(ThrowInvalidArgException(), CInvalidArgException);
    EXPECT_THROW(ThrowNotSupportedException(), CSimpleException);
}

TEST(AllocLimitTest, CapRefusesLargerAllocations)
{
    EXPECT_NO_THROW(AllocLimit::Vector<double>(1000));
    {
        AllocLimit::Scope cap(4096);
        EXPECT_NO_THROW(AllocLimit::Vector<double>(512));
        EXPECT_THROW(AllocLimit::Vector<double>(513), std::bad_alloc);
        EXPECT_THROW(AllocLimit::Array<double>(SIZE_MAX / 4), std::bad_alloc);
        // Another thread has no cap of its own.
        bool threw = false;
        std::thread([&] {
            try {
                AllocLimit::Check(1 << 20);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
        }).join();
        EXPECT_FALSE(threw);
    }
    EXPECT_NO_THROW(AllocLimit::Check(1 << 20));
    {
        AllocLimit::Scope global(100, true);
        bool threw = false;
        std::thread([&] {
            try {
                AllocLimit::Check(101);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
        }).join();
        EXPECT_TRUE(threw);
    }
    EXPECT_NO_THROW(AllocLimit::Check(101));
}

} // namespace
