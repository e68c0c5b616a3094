#pragma once

#include "KeloAssert.h"

#include <cstddef>
#include <cstdint>

/// Shared reference block of one adopted object: the object pointer and the number of
/// handles that share it. Destroying the block destroys the object through T's virtual
/// destructor.
template <class T> class TripSmartPtrRefTemplate {
public:
    explicit TripSmartPtrRefTemplate(T* object) : ObjectPtr(object), RefCount(1) {}
    ~TripSmartPtrRefTemplate() { delete ObjectPtr; }

    TripSmartPtrRefTemplate(const TripSmartPtrRefTemplate&) = delete;
    TripSmartPtrRefTemplate& operator=(const TripSmartPtrRefTemplate&) = delete;

    T* ObjectPtr;
    std::uint32_t RefCount;
};

/// Reference-counted handle through which every data object is passed. One pointer
/// wide; copying costs one increment; the object dies with the last handle.
template <class T> class TripSmartPtrTemplate {
public:
    TripSmartPtrTemplate() = default;

    // Adopts a newly made object; a null pointer adopts nothing.
    explicit TripSmartPtrTemplate(T* object) {
        if (object != nullptr)
            RefClassPtr = new TripSmartPtrRefTemplate<T>(object);
    }

    TripSmartPtrTemplate(const TripSmartPtrTemplate& other) : RefClassPtr(other.RefClassPtr) {
        if (RefClassPtr != nullptr)
            ++RefClassPtr->RefCount;
    }

    TripSmartPtrTemplate& operator=(const TripSmartPtrTemplate& other) {
        if (RefClassPtr == other.RefClassPtr)
            return *this;
        // The old block goes first, so a handle holding the last reference drops it here.
        Release();
        RefClassPtr = other.RefClassPtr;
        if (RefClassPtr != nullptr)
            ++RefClassPtr->RefCount;
        return *this;
    }

    ~TripSmartPtrTemplate() { Release(); }

    T* operator->() {
        KELO_ASSERT(RefClassPtr != NULL);
        return RefClassPtr->ObjectPtr;
    }
    const T* operator->() const {
        KELO_ASSERT(RefClassPtr != NULL);
        return RefClassPtr->ObjectPtr;
    }
    T& operator*() {
        KELO_ASSERT(RefClassPtr != NULL);
        return *RefClassPtr->ObjectPtr;
    }
    const T& operator*() const {
        KELO_ASSERT(RefClassPtr != NULL);
        return *RefClassPtr->ObjectPtr;
    }

    bool IsNull() const { return RefClassPtr == nullptr; }

    // Number of handles sharing the block (0 for an empty handle); for tests and diagnostics.
    std::uint32_t UseCount() const { return RefClassPtr == nullptr ? 0 : RefClassPtr->RefCount; }

private:
    void Release() {
        TripSmartPtrRefTemplate<T>* block = RefClassPtr;
        RefClassPtr = nullptr;
        if (block == nullptr)
            return;
        std::uint32_t& RefCount = block->RefCount;
        KELO_ASSERT(RefCount > 0);
        if (RefCount > 0)
            --RefCount;
        if (RefCount == 0)
            delete block;
    }

    TripSmartPtrRefTemplate<T>* RefClassPtr = nullptr;
};
