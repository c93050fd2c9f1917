// orvane_copydata CODE [BYTES]
// Sends WM_COPYDATA with dwData = CODE (decimal or 0x hex) and BYTES data
// bytes (default 1) to the window of class "OrvaneRuzerodOradirWnd", as the
// suite does. Exit status: 0 sent, 1 no window, 2 bad arguments.
#include <windows.h>

#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: orvane_copydata CODE [BYTES]\n");
        return 2;
    }
    wchar_t* end = nullptr;
    const unsigned long code = std::wcstoul(argv[1], &end, 0);
    const long bytes = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 1;
    if (end == argv[1] || *end != L'\0' || bytes < 0) {
        std::fwprintf(stderr, L"orvane_copydata: bad arguments\n");
        return 2;
    }
    HWND window = ::FindWindowW(L"OrvaneRuzerodOradirWnd", nullptr);
    if (!window) {
        std::fwprintf(stderr, L"orvane_copydata: the tool's window is not running\n");
        return 1;
    }
    std::vector<char> data(size_t(bytes) + 1, 'x');
    COPYDATASTRUCT request{ULONG_PTR(code), DWORD(bytes), bytes > 0 ? data.data() : nullptr};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request), SMTO_ABORTIFHUNG, 10000,
                          &result);
    return 0;
}
