// Freed memory is overwritten and never handed out again in these tests, so that code still
// using an object that deleted itself (a frame destroyed inside its own dialog or menu loop)
// faults at once instead of reading what happens to be left there.
#include <cstring>
#include <malloc.h>
#include <new>

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    std::memset(block, 0xDD, _msize(block));
}

void operator delete(void* block, std::size_t) noexcept
{
    ::operator delete(block);
}
