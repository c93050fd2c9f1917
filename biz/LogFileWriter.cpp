#include "biz/LogFileWriter.h"

#include "biz/LogClock.h"
#include "biz/LogFormat.h"
#include "biz/Logger.h"

#include <cstdio>

namespace {

const wchar_t* InfixOf(ELogKind kind)
{
    switch (kind) {
    case ELogKind::Http: return L"http";
    case ELogKind::Sip: return L"sip";
    default: return L"normal";
    }
}

void WriteAll(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    ::WriteFile(file, data, size, &written, nullptr); // a failed line is dropped
}

} // namespace

CLogFileWriter& CLogFileWriter::Instance()
{
    static CLogFileWriter writer(ELogKind::Normal);
    return writer;
}

std::wstring CLogFileWriter::FileFor(const std::wstring& logPath) const
{
    return InsertFileInfix(logPath, InfixOf(m_kind));
}

void CLogFileWriter::Open(const std::wstring& logPath)
{
    if (logPath.empty())
        return;
    std::wstring path = FileFor(logPath);

    WIN32_FILE_ATTRIBUTE_DATA info;
    if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) {
        LONGLONG size = (LONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        if (size > kMaxKeptBytes) {
            ::SetFileAttributesW(path.c_str(), info.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
            ::DeleteFileW(path.c_str());
        }
    }

    m_file.Reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        return;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(m_file.Get(), &size);
    if (size.QuadPart > 0) {
        LARGE_INTEGER zero{};
        ::SetFilePointerEx(m_file.Get(), zero, nullptr, FILE_END);
    } else if (m_kind != ELogKind::Normal) {
        static const unsigned char kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
        WriteAll(m_file.Get(), kUtf8Bom, sizeof kUtf8Bom);
    }
}

void CLogFileWriter::Write(int level, const std::wstring& logPath, const std::string& tail)
{
    if (level > LogLevel)
        return;
    CLockGuard guard(m_lock);
    if (!m_openAttempted) {
        Open(logPath);
        m_openAttempted = true;
    }
    if (!m_file)
        return;

    SYSTEMTIME now = CLogClock::Instance().LocalNow();
    char stamp[64];
    int length = std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d %03d  ", now.wYear, now.wMonth,
                               now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    WriteAll(m_file.Get(), stamp, static_cast<DWORD>(length));
    WriteAll(m_file.Get(), tail.data(), static_cast<DWORD>(tail.size()));
}
