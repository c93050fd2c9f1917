#include "app/StartupSwitches.h"

#include <vector>

namespace {

std::vector<std::wstring> SplitAtSpaces(const std::wstring& commandLine)
{
    std::vector<std::wstring> tokens;
    size_t start = 0;
    for (;;) {
        size_t separator = commandLine.find(L' ', start);
        if (separator == std::wstring::npos)
            break;
        tokens.push_back(commandLine.substr(start, separator - start));
        start = commandLine.find_first_not_of(L' ', separator);
        if (start == std::wstring::npos)
            return tokens;
    }
    if (start < commandLine.size())
        tokens.push_back(commandLine.substr(start));
    return tokens;
}

} // namespace

std::wstring ParseSwitches(const std::wstring& commandLine)
{
    std::wstring switches;
    for (const std::wstring& token : SplitAtSpaces(commandLine)) {
        if (token == kSwitchTamsel)
            switches += kSwitchTamsel;
        else if (token == kSwitchRedefault)
            switches += kSwitchRedefault;
    }
    return switches;
}
