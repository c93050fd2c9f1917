#pragma once
// Memory that ends right at a no-access page, so a read one byte past the
// end faults at once instead of passing unnoticed.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace GuardedMemory {

class CBlock {
public:
    explicit CBlock(const std::string& bytes);
    ~CBlock();
    CBlock(const CBlock&) = delete;
    CBlock& operator=(const CBlock&) = delete;
    const uint8_t* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    void* m_base = nullptr;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
};

// While an instance lives, array allocations (new T[]) of this thread end at a
// no-access page: the markup's own text buffer then has no slack to hide an
// over-read. Single-threaded tests only.
class CGuardArrays {
public:
    CGuardArrays();
    ~CGuardArrays();
    CGuardArrays(const CGuardArrays&) = delete;
    CGuardArrays& operator=(const CGuardArrays&) = delete;
};

// How many guarded array allocations were made so far (to prove the guard was in use).
size_t GuardedArrayCount();

} // namespace GuardedMemory
