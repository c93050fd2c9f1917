#include "biz/LogFileWriter.h"

#include "biz/LogClock.h"
#include "biz/LogFormat.h"
#include "biz/Logger.h"
#include "biz/OpenedFile.h"
#include "biz/libutils.h"

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
    // The data folder is shared by every user: a link planted there must not
    // make the tool delete or append to another file, so the file is opened
    // itself, checked where it really lies, and deleted through that handle.
    const std::wstring path = FileFor(logPath);
    const std::wstring trustedFolder = GetSuiteDataBase();
    {
        CFileHandle existing(::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        LARGE_INTEGER size{};
        if (existing && IsPlainFileAt(existing.Get(), path, trustedFolder) &&
            ::GetFileSizeEx(existing.Get(), &size) && size.QuadPart > kMaxKeptBytes) {
            FILE_BASIC_INFO basic{};
            if (::GetFileInformationByHandleEx(existing.Get(), FileBasicInfo, &basic, sizeof(basic))) {
                basic.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
                if (basic.FileAttributes == 0) // zero would mean "leave as it is"
                    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
                ::SetFileInformationByHandle(existing.Get(), FileBasicInfo, &basic, sizeof(basic));
            }
            DeleteOpenedFile(existing.Get());
        }
    }

    m_file = OpenPlainFile(path, trustedFolder, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS);
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
