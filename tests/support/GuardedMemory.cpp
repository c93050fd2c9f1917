#include "tests/support/GuardedMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kPage = 4096;

struct TAllocation {
    void* user;
    void* base;
};

// Live guarded arrays; a fixed table so that the allocator never allocates.
TAllocation g_live[64];
bool g_guardArrays = false;
size_t g_guardedCount = 0;

// `alignment` 2 places even-sized wide-character buffers flush against the guard page.
void* AllocateGuarded(size_t size, size_t alignment, void** base)
{
    const size_t rounded = (size + alignment - 1) / alignment * alignment;
    const size_t dataPages = (rounded + kPage - 1) / kPage;
    const size_t total = (dataPages + 1) * kPage;
    uint8_t* memory = static_cast<uint8_t*>(::VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (memory == nullptr)
        return nullptr;
    DWORD old = 0;
    ::VirtualProtect(memory + dataPages * kPage, kPage, PAGE_NOACCESS, &old);
    *base = memory;
    return memory + dataPages * kPage - rounded;
}

void* GuardedArrayNew(size_t size)
{
    for (TAllocation& slot : g_live) {
        if (slot.user != nullptr)
            continue;
        void* base = nullptr;
        void* user = AllocateGuarded(size == 0 ? 1 : size, 2, &base);
        if (user == nullptr)
            return nullptr;
        slot = TAllocation{user, base};
        ++g_guardedCount;
        return user;
    }
    return nullptr;
}

bool GuardedArrayDelete(void* pointer)
{
    for (TAllocation& slot : g_live) {
        if (slot.user == pointer) {
            ::VirtualFree(slot.base, 0, MEM_RELEASE);
            slot = TAllocation{nullptr, nullptr};
            return true;
        }
    }
    return false;
}

} // namespace

void* operator new[](size_t size)
{
    if (g_guardArrays)
        if (void* pointer = GuardedArrayNew(size))
            return pointer;
    void* pointer = std::malloc(size == 0 ? 1 : size);
    if (pointer == nullptr)
        throw std::bad_alloc();
    return pointer;
}

void operator delete[](void* pointer) noexcept
{
    if (pointer == nullptr || GuardedArrayDelete(pointer))
        return;
    std::free(pointer);
}

void operator delete[](void* pointer, size_t) noexcept
{
    operator delete[](pointer);
}

namespace GuardedMemory {

CBlock::CBlock(const std::string& bytes) : m_size(bytes.size())
{
    m_data = static_cast<uint8_t*>(AllocateGuarded(bytes.size() == 0 ? 1 : bytes.size(), 1, &m_base));
    if (m_data == nullptr)
        throw std::bad_alloc();
    if (m_size == 0)
        m_data += 1; // an empty block ends at the guard page too
    else
        std::memcpy(m_data, bytes.data(), m_size);
}

CBlock::~CBlock()
{
    ::VirtualFree(m_base, 0, MEM_RELEASE);
}

CGuardArrays::CGuardArrays()
{
    g_guardArrays = true;
}

CGuardArrays::~CGuardArrays()
{
    g_guardArrays = false;
}

size_t GuardedArrayCount()
{
    return g_guardedCount;
}

} // namespace GuardedMemory
