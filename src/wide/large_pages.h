// An allocator for the wide reader's large table: blocks of 2 MB or more
// are aligned to 2 MB and offered to the kernel for huge pages. The table
// is probed at random, so with small pages most probes would miss the
// address cache first; with huge pages a few entries cover it all.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace go {

template <typename T>
struct LargePages {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    LargePages() = default;
    template <typename U>
    LargePages(const LargePages<U>&)
    {
    }

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage)
            return static_cast<T*>(::operator new(bytes));
        void* p = nullptr;
        if (::posix_memalign(&p, kHugePage, bytes) != 0)
            throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
        ::madvise(p, bytes, MADV_HUGEPAGE);  // only advice: small pages work too
#endif
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n)
    {
        if (n * sizeof(T) < kHugePage)
            ::operator delete(p);
        else
            std::free(p);
    }
};

template <typename T, typename U>
bool operator==(const LargePages<T>&, const LargePages<U>&)
{
    return true;
}
template <typename T, typename U>
bool operator!=(const LargePages<T>&, const LargePages<U>&)
{
    return false;
}

}  // namespace go
