/*
 * Keeps the tests away from the user's settings: ScratchRegistry redirects
 * HKEY_CURRENT_USER of the test process to a fresh, empty key for its
 * lifetime (RegOverridePredefKey), then restores the previous root and
 * deletes the scratch key with everything below it.  Scopes nest.
 *
 * The test programs' main() opens one for the whole process before any test
 * runs, so even a test that forgets to ask for its own never reaches the real
 * HKEY_CURRENT_USER; RegistryTest gives each test an empty registry.
 */
#ifndef TAV_TESTS_SCRATCH_REGISTRY_H
#define TAV_TESTS_SCRATCH_REGISTRY_H

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // The key that HKEY_CURRENT_USER now stands for.
    HKEY Root() const { return root_; }

private:
    HKEY parent_ = nullptr;    // where the scratch key lives (null: the real HKCU)
    HKEY previous_ = nullptr;  // the root in force before (null: the real HKCU)
    HKEY root_ = nullptr;
    std::string name_;
};

// Base fixture: every test starts with an empty HKEY_CURRENT_USER.
class RegistryTest : public ::testing::Test {
protected:
    ScratchRegistry registry_;
};

// Helpers for arranging and inspecting raw values below HKEY_CURRENT_USER.
void PutRawValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size);
void PutDword(const char* keyPath, const char* name, DWORD value);
bool GetRawValue(const char* keyPath, const char* name, DWORD* type, std::string* data);
bool KeyExists(const char* keyPath);
// A value as "<type>:<bytes>", a terminator stored after a REG_SZ text
// dropped (the system may add one); "missing" when there is none.  Typed
// builds the same form for an expectation.
std::string StoredValue(const char* keyPath, const char* name);
std::string Typed(DWORD type, const std::string& data);
std::string TypedDword(DWORD value);

#endif
