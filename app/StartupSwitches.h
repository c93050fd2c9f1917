#pragma once
// The command-line switches the suite starts the tool with.
#include <string>

inline constexpr wchar_t kSwitchTamsel[] = L"-tamsel";       // apply the stored setting and exit
inline constexpr wchar_t kSwitchRedefault[] = L"-redefault"; // put the screen back to 6500 K and exit

// Concatenates, in order, every token that is exactly "-tamsel" or
// "-redefault". Tokens are separated by single spaces; quotes mean nothing.
std::wstring ParseSwitches(const std::wstring& commandLine);
