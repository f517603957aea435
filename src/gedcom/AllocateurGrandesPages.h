#pragma once

#include <cstddef>
#include <new>
#include <sys/mman.h>

namespace veltrane::chargement {

// Allocateur des grands index du chargement : au-delà de quelques mégaoctets, la mémoire est
// demandée en pages de 2 Mo quand le système le permet. Les index sont lus au hasard ; avec
// des pages de 4 Ko, presque chaque accès coûterait aussi un défaut de traduction d'adresse.
template <class T> struct AllocateurGrandesPages {
    using value_type = T;
    static constexpr std::size_t SEUIL = 4u << 20;

    AllocateurGrandesPages() = default;
    template <class U> AllocateurGrandesPages(const AllocateurGrandesPages<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t octets = n * sizeof(T);
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        if (octets < SEUIL) return static_cast<T*>(::operator new(octets));
        void* p = ::mmap(nullptr, octets, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                         -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        ::madvise(p, octets, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) {
        const std::size_t octets = n * sizeof(T);
        if (octets < SEUIL)
            ::operator delete(p);
        else
            ::munmap(p, octets);
    }
    template <class U> bool operator==(const AllocateurGrandesPages<U>&) const { return true; }
};

} // namespace veltrane::chargement
