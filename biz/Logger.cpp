#include "biz/Logger.h"

#include "biz/LogFileWriter.h"
#include "biz/LogFormat.h"
#include "biz/libutils.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

int LogLevel = kLogInfo;

namespace {

struct TLogTarget {
    std::wstring name;
    std::wstring path;
};

TLogTarget& Target()
{
    static TLogTarget target;
    return target;
}

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], bytes,
                              nullptr, nullptr);
    return result;
}

} // namespace

void LoggerInit(const std::wstring& name)
{
    TLogTarget& target = Target();
    target.name = name;
    if (name.empty())
        return;
    std::wstring folder = GetSuiteDataFolder() + L"logs\\";
    if (!IsExistingFolder(folder))
        CreateFolderTree(folder);
    LogLevel = _wtoi(ReadConfigIni(L"LogLevel", L"3").c_str());
    target.path = folder + name + L".txt";
}

std::wstring LogFilePath()
{
    const std::wstring& path = Target().path;
    return path.empty() ? path : CLogFileWriter::Instance().FileFor(path);
}

void LogWrite(const TLogRecord& record, const wchar_t* format, ...)
{
    if (record.level > LogLevel)
        return;

    std::wstring message;
    if (IsValidLogFormat(format)) {
        wchar_t prefix[48];
        std::swprintf(prefix, sizeof prefix / sizeof prefix[0], L"(%d)(%lu): ", record.sourceLine,
                      static_cast<unsigned long>(::GetCurrentThreadId()));
        va_list args;
        va_start(args, format);
        message = prefix + FormatWide(format, args);
        va_end(args);
    } else {
        message = L"Log format is invalid!!!";
    }

    std::wstring tail = BareFileName(record.sourceFile ? record.sourceFile : L"") + L"  " + message + L"\r\n";
    CLogFileWriter::Instance().Write(record.level, Target().path, ToAnsi(tail));
}
