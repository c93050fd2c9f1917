#include "tests/support/LogCapture.h"

#include "biz/Logger.h"
#include "tests/support/TestEnvironment.h"

#include <windows.h>

namespace TestLog {

void EnsureLoggerStarted()
{
    static const bool started = [] {
        LoggerInit(L"orvane_test_" + std::to_wstring(::GetCurrentProcessId()));
        LogLevel = kLogInfo;
        return true;
    }();
    (void)started;
}

CLogCapture::CLogCapture()
{
    EnsureLoggerStarted();
    // Information lines must reach the file whatever an earlier test left configured.
    LogLevel = kLogInfo;
    Clear();
}

void CLogCapture::Clear()
{
    m_offset = TestEnv::ReadFileBytes(LogFilePath()).size();
}

std::wstring CLogCapture::Text() const
{
    std::string bytes = TestEnv::ReadFileBytes(LogFilePath());
    if (bytes.size() <= m_offset)
        return std::wstring();
    std::string tail = bytes.substr(m_offset);
    std::wstring text(tail.size(), L'\0');
    int chars = ::MultiByteToWideChar(CP_ACP, 0, tail.data(), static_cast<int>(tail.size()), &text[0],
                                      static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(chars > 0 ? chars : 0));
    return text;
}

bool CLogCapture::Contains(const std::wstring& fragment) const
{
    return Text().find(fragment) != std::wstring::npos;
}

} // namespace TestLog
