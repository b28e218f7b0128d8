/*
 * Writing the startup shortcut.
 *
 * COM is initialised for exactly the writing of one link, and every
 * interface and the Startup folder's item list are held by owners, so each
 * is released on every path, failures included.
 */
#include "options/startup_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/com_ptr.h"
#include "base/late_import.h"
#include "base/portable/key_table.h"
#include "options/portable/shell_text.h"
#include "ui/lead_byte.h"

using tav::ComInit;
using tav::ComPtr;

namespace {

// The Startup folder's item list, allocated by the shell with the COM task
// allocator.
class ItemList {
public:
    ItemList() = default;
    ~ItemList()
    {
        // ole32 is bound at first use, like the rest of COM here.
        static const auto taskMemFree =
            LateImport<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
        if (list_ != nullptr && taskMemFree != nullptr)
            taskMemFree(list_);
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    PIDLIST_ABSOLUTE* put() { return &list_; }
    PCIDLIST_ABSOLUTE get() const { return list_; }

private:
    PIDLIST_ABSOLUTE list_ = nullptr;
};

// A file that is deleted when the owner goes, unless it was kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const char* path) { lstrcpynA(path_, path, sizeof path_); }
    ~TemporaryFile()
    {
        if (path_[0] != '\0')
            DeleteFileA(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const char* Path() const { return path_; }
    void Keep() { path_[0] = '\0'; }

private:
    char path_[kPathSize];
};

// Saves the link object to path (code page 932 path, as UTF-16).
bool SaveLink(IShellLinkA* link, const char* path)
{
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put())))
        return false;
    WCHAR widePath[kPathSize];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathSize) == 0)
        return false;
    return SUCCEEDED(file->Save(widePath, TRUE));
}

}  // namespace

bool CreateShellLink(const char* target, const char* linkPath)
{
    char workingFolder[kPathSize];
    char linkFolder[kPathSize];
    if (!ProgramFolder(target, workingFolder, sizeof workingFolder, IsAnsiLeadByte)
        || !ProgramFolder(linkPath, linkFolder, sizeof linkFolder, IsAnsiLeadByte))
        return false;

    // Initialised or not (a thread already in another apartment model still
    // has COM), the link object is asked for; the guard balances only a
    // successful CoInitialize.
    ComInit com;
    static const auto createInstance =
        LateImport<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    ComPtr<IShellLinkA> link;
    if (createInstance == nullptr
        || FAILED(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 link.put())))
        return false;
    if (FAILED(link->SetWorkingDirectory(workingFolder)) || FAILED(link->SetPath(target)))
        return false;

    // GetTempFileNameA creates the (empty) file, so the name is ours.
    char temporaryPath[kPathSize];
    if (GetTempFileNameA(linkFolder, "Tav", 0, temporaryPath) == 0)
        return false;
    TemporaryFile temporary(temporaryPath);
    if (!SaveLink(link.get(), temporary.Path()))
        return false;
    // The same folder, so the move replaces the old link in one step.
    if (!MoveFileExA(temporary.Path(), linkPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    temporary.Keep();
    return true;
}

bool CreateStartupShortcut(const char* programPath, const char* linkName)
{
    ItemList startup;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, startup.put()))
        || startup.get() == nullptr)
        return false;
    char folder[MAX_PATH];
    if (!SHGetPathFromIDListA(startup.get(), folder))
        return false;
    char linkPath[kPathSize];
    if (!JoinFolderAndName(folder, linkName, linkPath, sizeof linkPath))
        return false;
    return CreateShellLink(programPath, linkPath);
}
