#pragma once
// Plain-text pieces of a log line, kept apart from the file writer so they can be checked directly.
#include <cstdarg>
#include <string>

// True when every conversion in a printf-style wide format is one the formatter
// understands. "%n" is refused: a log line never writes through its arguments.
bool IsValidLogFormat(const wchar_t* format);

// Formats with the C runtime's wide formatter (%s takes wide text).
std::wstring FormatWide(const wchar_t* format, va_list args);

// The part of a source path after its last '\' or '/'.
std::wstring BareFileName(const std::wstring& sourcePath);

// "name.txt" -> "name.<infix>.txt" (the infix goes before the last '.').
std::wstring InsertFileInfix(const std::wstring& path, const std::wstring& infix);
