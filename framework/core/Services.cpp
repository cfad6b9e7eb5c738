#include "framework/core/Services.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace fw {

namespace {

const char* AnswerName(int answer)
{
    switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
    }
}

class HeadlessPrompt final : public IPrompt {
public:
    int MessageBox(const CString& text, unsigned flags, unsigned msgId, unsigned) override
    {
        const int answer = DefaultButtonAnswer(flags);
        std::fprintf(stderr, "[prompt %u] %s -> %s\n", msgId, text.c_str(), AnswerName(answer));
        return answer;
    }
};

class SilentStatus final : public IStatus {
public:
    void SetText(const CString&) override {}
    void Clear() override {}
    void Beep() override {}
};

class RealClock final : public IClock {
public:
    int64_t SteadyMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    time_t Now() override { return std::time(nullptr); }
    void SleepMs(int ms) override
    {
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

class NoWaitCursor final : public IWaitCursor {
public:
    void Begin() override {}
    void End() override {}
};

HeadlessPrompt g_defaultPrompt;
SilentStatus g_defaultStatus;
RealClock g_defaultClock;
NoWaitCursor g_defaultCursor;

template <class T> T& Current(T& fallback)
{
    T* p = Installed<T>();
    return p ? *p : fallback;
}

} // namespace

int DefaultButtonAnswer(unsigned flags)
{
    static constexpr int kButtons[][3] = {
        {IDOK, IDOK, IDOK},             // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},     // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},   // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},        // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},            // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},  // MB_RETRYCANCEL
    };
    static constexpr int kCount[] = {1, 2, 3, 3, 2, 2};
    unsigned type = flags & MB_TYPEMASK;
    if (type > 5)
        type = 0;
    int index = static_cast<int>((flags & MB_DEFMASK) >> 8);
    // A default beyond the buttons falls back to the first, as the system did.
    if (index >= kCount[type])
        index = 0;
    return kButtons[type][index];
}

IPrompt& Prompt() { return Current<IPrompt>(g_defaultPrompt); }
IStatus& Status() { return Current<IStatus>(g_defaultStatus); }
IClock& Clock() { return Current<IClock>(g_defaultClock); }
IWaitCursor& WaitCursor() { return Current<IWaitCursor>(g_defaultCursor); }

IPrompt* InstallPrompt(IPrompt* service) { return Install<IPrompt>(service); }
IStatus* InstallStatus(IStatus* service) { return Install<IStatus>(service); }
IClock* InstallClock(IClock* service) { return Install<IClock>(service); }
IWaitCursor* InstallWaitCursor(IWaitCursor* service) { return Install<IWaitCursor>(service); }

int AfxMessageBox(unsigned id, unsigned flags, unsigned help)
{
    CString text;
    LoadString(id, text);
    return Prompt().MessageBox(text, flags, id, help);
}

int AfxMessageBox(const CString& text, unsigned flags, unsigned help)
{
    return Prompt().MessageBox(text, flags, 0, help);
}

uint32_t TickCount()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(Clock().SteadyMs()));
}

CWaitCursor::CWaitCursor() : m_cursor(&WaitCursor())
{
    m_cursor->Begin();
}

CWaitCursor::~CWaitCursor()
{
    m_cursor->End();
}

void CWaitCursor::Restore()
{
    // Keeps Begin and End paired for implementations that count.
    m_cursor->End();
    m_cursor->Begin();
}

} // namespace fw
