/*
 * Registry store operations.  Every value lives below HKEY_CURRENT_USER.
 *
 * RegQueryValueExA leaves the data buffer undefined when it returns
 * ERROR_MORE_DATA, so every read goes into a buffer whose content after a
 * failure is put right here (zero-filled, or the default), never trusted.
 */
#include "store/registry.h"

#include <cstring>
#include <string>

using tav::UniqueHKey;

UniqueHKey StoreOpenKey(const char* keyPath, REGSAM access)
{
    UniqueHKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, access, key.put()) != ERROR_SUCCESS)
        key.release();  // the out-parameter is not defined on failure
    return key;
}

// Creates missing parents too, as RegCreateKeyExA does.
UniqueHKey StoreCreateKey(const char* keyPath)
{
    UniqueHKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        key.release();
    return key;
}

static int SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
{
    return key != nullptr
           && RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

int StoreReadDwordFrom(HKEY key, const char* name, DWORD* destination, DWORD defaultValue)
{
    // A short value replaces only the low-order bytes it has; start from the
    // destination's current bytes so the rest stay.
    BYTE bytes[sizeof(DWORD)];
    std::memcpy(bytes, destination, sizeof bytes);
    DWORD size = sizeof bytes;
    if (key != nullptr
        && RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size) == ERROR_SUCCESS
        && size <= sizeof bytes) {
        std::memcpy(destination, bytes, sizeof bytes);
        return 1;
    }
    *destination = defaultValue;
    return 0;
}

void StoreReadDword(const char* name, const char* keyPath, DWORD* destination, DWORD defaultValue)
{
    UniqueHKey key = StoreOpenKey(keyPath, KEY_READ);
    StoreReadDwordFrom(key.get(), name, destination, defaultValue);
}

void StoreReadDword(const char* name, const char* keyPath, int* destination, int defaultValue)
{
    DWORD value;
    std::memcpy(&value, destination, sizeof value);
    StoreReadDword(name, keyPath, &value, static_cast<DWORD>(defaultValue));
    std::memcpy(destination, &value, sizeof value);
}

void StoreWriteDword(const char* name, const char* keyPath, DWORD value)
{
    UniqueHKey key = StoreCreateKey(keyPath);
    if (key)
        StoreWriteDwordTo(key.get(), name, value);
}

int StoreWriteDwordTo(HKEY key, const char* name, DWORD value)
{
    return SetValue(key, name, REG_DWORD, &value, sizeof value);
}

static void CopyDefault(char* buffer, DWORD capacity, const char* defaultText)
{
    std::memset(buffer, 0, capacity);
    if (capacity > 0 && defaultText != nullptr)
        lstrcpynA(buffer, defaultText, static_cast<int>(capacity));
}

void StoreReadStringFrom(HKEY key, const char* name, char* buffer, DWORD capacity,
                         const char* defaultText)
{
    // Strings are written without a terminator, but the system may store one
    // anyway (RegSetValueExA adds it when the caller's text is followed by a
    // zero, as a C string always is).  Read one byte more than the capacity
    // so that a stored terminator does not make a text of exactly capacity
    // bytes look too long.
    std::string data(capacity + 1, '\0');
    DWORD size = capacity + 1;
    bool fits = key != nullptr
                && RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]),
                                    &size) == ERROR_SUCCESS
                && (size <= capacity || (size == capacity + 1 && data[capacity] == '\0'));
    std::memset(buffer, 0, capacity);
    if (fits)
        std::memcpy(buffer, data.data(), size <= capacity ? size : capacity);
    else
        CopyDefault(buffer, capacity, defaultText);
}

int StoreWriteStringTo(HKEY key, const char* name, const char* text)
{
    return SetValue(key, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text)));
}

int StoreReadBinary(const char* name, const char* keyPath, void* buffer, DWORD size)
{
    std::memset(buffer, 0, size);
    DWORD read = size;
    UniqueHKey key = StoreOpenKey(keyPath, KEY_READ);
    if (key
        && RegQueryValueExA(key.get(), name, nullptr, nullptr, static_cast<BYTE*>(buffer), &read)
               == ERROR_SUCCESS
        && read <= size)
        return 1;
    std::memset(buffer, 0, size);
    return 0;
}

void StoreWriteBinary(const char* name, const char* keyPath, const void* data, DWORD size)
{
    UniqueHKey key = StoreCreateKey(keyPath);
    if (key)
        StoreWriteBinaryTo(key.get(), name, data, size);
}

int StoreWriteBinaryTo(HKEY key, const char* name, const void* data, DWORD size)
{
    return SetValue(key, name, REG_BINARY, data, size);
}
