/*
 * Scratch registry roots for the tests.
 */
#include "scratch_registry.h"

#include <cstdio>
#include <cstdlib>

// The root that HKEY_CURRENT_USER stands for right now (null: the real one).
static HKEY CurrentRoot = nullptr;

ScratchRegistry::ScratchRegistry() : previous_(CurrentRoot)
{
    static unsigned counter;
    char name[64];
    std::snprintf(name, sizeof name, "TavTests-%lu-%u", GetCurrentProcessId(), ++counter);
    name_ = name;

    // The first scratch key goes below the real HKCU\Software; nested ones
    // below the root in force.
    if (previous_ == nullptr)
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &parent_);
    else
        RegOpenKeyExA(previous_, "", 0, KEY_ALL_ACCESS, &parent_);
    // A process that ended without its destructors (killed at a time-out,
    // ended by the code under test) leaves its key behind, and Wine hands
    // out process ids again soon: a key of this name is stale, never shared.
    if (parent_ != nullptr)
        RegDeleteTreeA(parent_, name_.c_str());
    if (parent_ == nullptr
        || RegCreateKeyExA(parent_, name_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, &root_, nullptr) != ERROR_SUCCESS
        || RegOverridePredefKey(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS) {
        // Nothing may run against the real settings: stop the test program.
        std::fprintf(stderr, "cannot redirect HKEY_CURRENT_USER to a scratch key\n");
        std::abort();
    }
    CurrentRoot = root_;
}

ScratchRegistry::~ScratchRegistry()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, previous_);
    CurrentRoot = previous_;
    RegCloseKey(root_);
    RegDeleteTreeA(parent_, name_.c_str());
    RegDeleteKeyA(parent_, name_.c_str());
    RegCloseKey(parent_);
}

void PutRawValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

bool GetRawValue(const char* keyPath, const char* name, DWORD* type, std::string* data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data->assign(size, '\0');
        status = RegQueryValueExA(key, name, nullptr, type,
                                  reinterpret_cast<BYTE*>(data->empty() ? nullptr : &(*data)[0]),
                                  &size);
        data->resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool KeyExists(const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string StoredValue(const char* keyPath, const char* name)
{
    DWORD type;
    std::string data;
    if (!GetRawValue(keyPath, name, &type, &data))
        return "missing";
    if (type == REG_SZ && !data.empty() && data.back() == '\0')
        data.pop_back();
    return Typed(type, data);
}

std::string Typed(DWORD type, const std::string& data)
{
    return std::to_string(type) + ":" + data;
}

std::string TypedDword(DWORD value)
{
    return Typed(REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void PutDword(const char* keyPath, const char* name, DWORD value)
{
    PutRawValue(keyPath, name, REG_DWORD, &value, sizeof value);
}
