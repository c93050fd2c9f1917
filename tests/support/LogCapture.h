#pragma once
// Reads what this test process wrote to its log file since the capture began.
#include <string>

namespace TestLog {

// Starts this process's logger once, under a name unique to the process.
void EnsureLoggerStarted();

class CLogCapture {
public:
    CLogCapture();
    void Clear();                           // forget what was logged so far
    std::wstring Text() const;              // lines logged since construction or Clear()
    bool Contains(const std::wstring& fragment) const;

private:
    size_t m_offset = 0;
};

} // namespace TestLog
