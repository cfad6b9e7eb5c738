#include "instrument/ContinueQuestion.h"

#include "framework/core/Cp932.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"

#include <cstdio>
#include <ctime>
#include <strings.h>

namespace {

class PromptQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int seconds) override
    {
        (void)seconds;  // a plain prompt cannot count down; it waits
        return fw::Prompt().MessageBox(message, fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION, 0) == fw::IDOK;
    }
};

PromptQuestion g_default;
fw::CString LocalTimeText()
{
    const time_t now = fw::Clock().Now();
    tm local{};
    localtime_r(&now, &local);
    char text[80];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

void AppendLogLine(const fw::CString& path, const char* message)
{
    fw::CString line = LocalTimeText() + ":" + fw::CString(message);
    line.Replace('\r', ' ');
    line.Replace('\n', ' ');
    const std::string bytes = fw::cp932::ToCp932(line.view()) + "\r\n";
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace

IContinueQuestion* InstallContinueQuestion(IContinueQuestion* question)
{
    return fw::Install<IContinueQuestion>(question);
}

IContinueQuestion& ContinueQuestion()
{
    IContinueQuestion* installed = fw::Installed<IContinueQuestion>();
    return installed ? *installed : g_default;
}

fw::CString ErrorLogPath(const fw::CString& dataPath)
{
    const int length = dataPath.GetLength();
    if (length >= 4 && ::strcasecmp(dataPath.c_str() + length - 4, ".tsd") == 0)
        return dataPath.Left(length - 4) + "_err.txt";
    return dataPath + "_err.txt";
}

bool ShowTimeLimitMessage(const char* message, const char* logPath, int seconds)
{
    if (logPath)
        AppendLogLine(ErrorLogPath(logPath), message ? message : "");
    return ContinueQuestion().Ask(message ? message : "", seconds);
}
