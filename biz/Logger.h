#pragma once
// The suite's process-wide text log: "<data folder>\logs\<name>.normal.txt".
#include <string>

struct TLogRecord {
    int level;                // 1 error, 3 information
    const wchar_t* sourceFile; // the caller's source path; only its file name is printed
    int sourceLine;
};

enum : int { kLogError = 1, kLogInfo = 3 };

// The configured level: a line is written when its level is at most this.
extern int LogLevel;

// Names the log and reads "LogLevel" from config.ini. An empty name turns logging off.
void LoggerInit(const std::wstring& name);

// Formats (printf style) and appends one line when the level passes.
void LogWrite(const TLogRecord& record, const wchar_t* format, ...);

// The full path of the file the writer appends to (empty before LoggerInit).
std::wstring LogFilePath();

#define ORVANE_LOG(level, source, ...) LogWrite(TLogRecord{(level), (source), __LINE__}, __VA_ARGS__)
#define LOG_INFO(source, ...) ORVANE_LOG(kLogInfo, source, __VA_ARGS__)
#define LOG_ERROR(source, ...) ORVANE_LOG(kLogError, source, __VA_ARGS__)
