/*
 * Owners for COM: a move-only interface pointer that releases what it
 * holds, and a guard that balances CoInitialize with CoUninitialize.
 *
 * Like the handle owners, a ComPtr cannot be copied (a copy would release
 * the interface twice); it is moved or handed out with get().
 */
#ifndef TAV_BASE_COM_PTR_H
#define TAV_BASE_COM_PTR_H

#include <windows.h>
#include <objbase.h>

#include "base/late_import.h"

namespace tav {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }

    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For the void** out-parameter of CoCreateInstance and QueryInterface:
    // releases what is held first.
    void** put()
    {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    void reset()
    {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
    }

private:
    T* pointer_ = nullptr;
};

// CoInitialize for the lifetime of the guard.  Every successful
// CoInitialize, S_FALSE (already initialised on this thread) included, must
// be matched by one CoUninitialize; a failed one must not be.  ole32 is
// bound with the first guard, not at start-up.
class ComInit {
public:
    ComInit()
    {
        static const auto initialize = LateImport<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
        result_ = initialize != nullptr ? initialize(nullptr) : E_FAIL;
    }
    ~ComInit()
    {
        static const auto uninitialize =
            LateImport<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize");
        if (SUCCEEDED(result_) && uninitialize != nullptr)
            uninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace tav

#endif
