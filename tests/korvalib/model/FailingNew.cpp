// The replaceable global allocation functions of the out-of-memory test
// program. They use malloc and free, which the sanitizers watch, so a block
// left behind is still reported as a leak.
#include "FailingNew.h"

#include <cstdlib>
#include <new>

namespace {
thread_local int tCountdown = 0;  // allocations to go until the failure; 0 unarmed
thread_local bool tReached = false;

void* Allocate(std::size_t n) noexcept
{
    if (tCountdown > 0 && --tCountdown == 0) {
        tReached = true;
        return nullptr;
    }
    return std::malloc(n ? n : 1);
}

void* AllocateOrThrow(std::size_t n)
{
    void* p = Allocate(n);
    if (!p) throw std::bad_alloc();
    return p;
}
}  // namespace

namespace failing_new {
void Arm(int nth)
{
    tReached = false;
    tCountdown = nth;
}
void Disarm()
{
    tCountdown = 0;
}
bool Reached()
{
    return tReached;
}
}  // namespace failing_new

void* operator new(std::size_t n)
{
    return AllocateOrThrow(n);
}
void* operator new[](std::size_t n)
{
    return AllocateOrThrow(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    return Allocate(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    return Allocate(n);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
