// orvane_logwriter NAME MESSAGE [HOLD_MS]
// Starts the logger as NAME, writes MESSAGE at information level and keeps
// the process (and so the log file) alive for HOLD_MS milliseconds.
#include "biz/Logger.h"

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: orvane_logwriter NAME MESSAGE [HOLD_MS]\n");
        return 2;
    }
    LoggerInit(argv[1]);
    LOG_INFO(L"tools\\LogWriter", L"%s", argv[2]);
    if (argc > 3)
        ::Sleep(static_cast<DWORD>(_wtoi(argv[3])));
    return 0;
}
