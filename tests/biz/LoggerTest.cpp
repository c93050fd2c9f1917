#include "biz/Logger.h"

#include "biz/LogFormat.h"
#include "base/ScopedHandle.h"
#include "biz/libutils.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// Runs the log-writer helper as a separate process and waits for it.
DWORD RunLogWriter(const std::wstring& name, const std::wstring& message, int holdMs = 0, bool wait = true,
                   CKernelHandle* running = nullptr)
{
    std::wstring exe = TestEnv::FromUnixPath(ORVANE_BINARY_DIR "/tools/logwriter/orvane_logwriter.exe");
    std::wstring commandLine = L"\"" + exe + L"\" " + name + L" \"" + message + L"\" " + std::to_wstring(holdMs);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<DWORD>(-1);
    CKernelHandle processHandle(process.hProcess), thread(process.hThread);
    if (!wait) {
        if (running)
            *running = std::move(processHandle);
        return 0;
    }
    ::WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    return code;
}

std::wstring LogFileOf(const std::wstring& name)
{
    return GetSuiteDataFolder() + L"logs\\" + name + L".normal.txt";
}

class LogLevelScope {
public:
    explicit LogLevelScope(int level) : m_saved(LogLevel) { LogLevel = level; }
    ~LogLevelScope() { LogLevel = m_saved; }

private:
    int m_saved;
};

} // namespace

TEST(LogLine, HasTimestampFileLineThreadAndMessage)
{
    TestLog::CLogCapture log;
    LogWrite(TLogRecord{3, L"biz\\libutils", 123}, L"value %d and %s", 42, L"text");
    std::string text = Narrow(log.Text());
    std::regex line(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \d{3}  libutils  \(123\)\((\d+)\): value 42 and text\r\n$)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(text, match, line)) << text;
    EXPECT_EQ(std::stoul(match[1]), ::GetCurrentThreadId());
}

TEST(LogLine, BareFileNameFromEitherSeparator)
{
    EXPECT_EQ(BareFileName(L"biz\\ConfigManager"), L"ConfigManager");
    EXPECT_EQ(BareFileName(L"a/b/GammaRamp.cpp"), L"GammaRamp.cpp");
    EXPECT_EQ(BareFileName(L"DigitalCertify"), L"DigitalCertify");
}

TEST(LogLine, InvalidFormatReplacesTheWholeMessage)
{
    TestLog::CLogCapture log;
    LogWrite(TLogRecord{3, L"GammaRamp", 7}, L"broken %y format");
    std::wstring text = log.Text();
    EXPECT_NE(text.find(L"  GammaRamp  Log format is invalid!!!\r\n"), std::wstring::npos) << Narrow(text);
    EXPECT_EQ(text.find(L"(7)"), std::wstring::npos);
}

TEST(LogLine, FormatCheckAcceptsWhatThePrintfFamilyKnows)
{
    EXPECT_TRUE(IsValidLogFormat(L"plain"));
    EXPECT_TRUE(IsValidLogFormat(L"%d %u %x %08X %-5s %.3f %lu %lld %I64d %ls %hs %c %p %%"));
    EXPECT_TRUE(IsValidLogFormat(L"%*d %.*s"));
    EXPECT_FALSE(IsValidLogFormat(L"%"));
    EXPECT_FALSE(IsValidLogFormat(L"100%"));
    EXPECT_FALSE(IsValidLogFormat(L"%k"));
    EXPECT_FALSE(IsValidLogFormat(L"%n"));
    EXPECT_FALSE(IsValidLogFormat(nullptr));
}

TEST(LogLevels, LinesAboveTheConfiguredLevelAreDropped)
{
    TestLog::CLogCapture log;
    {
        LogLevelScope scope(2);
        LogWrite(TLogRecord{3, L"Test", 1}, L"information hidden");
        LogWrite(TLogRecord{1, L"Test", 2}, L"error shown");
    }
    {
        LogLevelScope scope(0);
        LogWrite(TLogRecord{1, L"Test", 3}, L"nothing at zero");
    }
    std::wstring text = log.Text();
    EXPECT_EQ(text.find(L"information hidden"), std::wstring::npos);
    EXPECT_NE(text.find(L"error shown"), std::wstring::npos);
    EXPECT_EQ(text.find(L"nothing at zero"), std::wstring::npos);
}

TEST(LogLevels, ReadFromConfigIniWithDefaultThree)
{
    TestLog::EnsureLoggerStarted();
    std::wstring ini = GetModuleFolder() + L"config.ini";
    std::wstring name = L"orvane_test_" + std::to_wstring(::GetCurrentProcessId());
    struct {
        const char* content;
        int level;
    } rows[] = {{"[config]\r\nLogLevel=0\r\n", 0}, {"[config]\r\nLogLevel=2\r\n", 2},
                {"[config]\r\nLogLevel=abc\r\n", 0}, {"[other]\r\nLogLevel=1\r\n", 3}, {"", 3}};
    for (const auto& row : rows) {
        TestEnv::WriteFileBytes(ini, row.content);
        LoggerInit(name);
        EXPECT_EQ(LogLevel, row.level) << row.content;
    }
    ::DeleteFileW(ini.c_str());
    LoggerInit(name);
    EXPECT_EQ(LogLevel, 3);
}

TEST(LogFile, NameCarriesTheNormalInfixInTheLogsFolder)
{
    EXPECT_EQ(InsertFileInfix(L"C:\\x\\OrvaneRuzerodOradir.txt", L"normal"), L"C:\\x\\OrvaneRuzerodOradir.normal.txt");
    EXPECT_EQ(InsertFileInfix(L"C:\\a.b\\log", L"normal"), L"C:\\a.b\\log.normal");

    std::wstring name = L"orvane_child_name";
    ::DeleteFileW(LogFileOf(name).c_str());
    ASSERT_EQ(RunLogWriter(name, L"hello"), 0u);
    std::string content = TestEnv::ReadFileBytes(LogFileOf(name));
    EXPECT_NE(content.find("  LogWriter  ("), std::string::npos) << content;
    EXPECT_NE(content.find("): hello\r\n"), std::string::npos);
    EXPECT_NE(content.substr(0, 3), "\xEF\xBB\xBF"); // no byte-order mark for this kind
    ::DeleteFileW(LogFileOf(name).c_str());
}

TEST(LogFile, Exactly512000BytesAreKeptOneMoreStartsAnew)
{
    std::wstring name = L"orvane_child_size";
    std::wstring path = LogFileOf(name);

    TestEnv::WriteFileBytes(path, std::string(512000, 'k'));
    ASSERT_EQ(RunLogWriter(name, L"appended"), 0u);
    std::string kept = TestEnv::ReadFileBytes(path);
    EXPECT_GT(kept.size(), 512000u);
    EXPECT_EQ(kept.substr(0, 512000), std::string(512000, 'k'));
    EXPECT_NE(kept.find("appended"), std::string::npos);

    TestEnv::WriteFileBytes(path, std::string(512001, 'd'));
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(RunLogWriter(name, L"fresh"), 0u);
    std::string fresh = TestEnv::ReadFileBytes(path);
    EXPECT_LT(fresh.size(), 200u);
    EXPECT_NE(fresh.find("fresh"), std::string::npos);
    ::DeleteFileW(path.c_str());
}

TEST(LogFile, ASecondProcessCannotWriteWhileTheFirstHoldsTheFile)
{
    std::wstring name = L"orvane_child_shared";
    std::wstring path = LogFileOf(name);
    ::DeleteFileW(path.c_str());

    CKernelHandle first;
    ASSERT_EQ(RunLogWriter(name, L"first instance", 3000, false, &first), 0u);
    for (int i = 0; i < 100 && TestEnv::ReadFileBytes(path).find("first instance") == std::string::npos; ++i)
        ::Sleep(50);
    // Readers are welcome, writers are not.
    CFileHandle writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(writer.IsValid());
    ASSERT_EQ(RunLogWriter(name, L"second instance"), 0u);
    ::WaitForSingleObject(first.Get(), 30000);

    std::string content = TestEnv::ReadFileBytes(path);
    EXPECT_NE(content.find("first instance"), std::string::npos);
    EXPECT_EQ(content.find("second instance"), std::string::npos);
    ::DeleteFileW(path.c_str());
}

TEST(LogFile, ALinkInTheDataFolderNeverLeadsTheLogToAnotherFile)
{
    // Large enough to be started anew if it were taken for the log.
    TestEnv::CScratchFolder elsewhere(L"logvictim");
    const std::wstring victim = elsewhere.File(L"orvane_child_link.normal.txt");
    const std::string original(600000, 'v');
    TestEnv::WriteFileBytes(victim, original);
    {
        TestEnv::CSymbolicLink folder(elsewhere.Path(), GetSuiteDataFolder() + L"logs\\linked");
        TestEnv::CSymbolicLink file(victim, LogFileOf(L"orvane_child_linkfile"));
        ASSERT_TRUE(folder.IsValid() && file.IsValid());
        ASSERT_EQ(RunLogWriter(L"linked\\orvane_child_link", L"through a folder"), 0u);
        ASSERT_EQ(RunLogWriter(L"linked\\orvane_child_new", L"a new file there"), 0u);
        ASSERT_EQ(RunLogWriter(L"orvane_child_linkfile", L"through a file"), 0u);
    }
    EXPECT_EQ(TestEnv::ReadFileBytes(victim), original);
    EXPECT_FALSE(IsExistingFile(elsewhere.File(L"orvane_child_new.normal.txt")));
}

TEST(LogFile, EmptyNameTurnsLoggingOff)
{
    // Checked in a child: this process's logger is already named.
    std::wstring logs = GetSuiteDataFolder() + L"logs\\";
    ASSERT_EQ(RunLogWriter(L"\"\"", L"silent"), 0u);
    EXPECT_FALSE(IsExistingFile(logs + L".normal.txt"));
    EXPECT_FALSE(IsExistingFile(logs + L".txt"));
}
