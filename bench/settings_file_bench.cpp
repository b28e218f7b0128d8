/*
 * Times the settings-file export and import of a large configuration: the
 * settings and a menu of two full levels (36 submenus of 36 entries, every
 * entry with all five values, about 6,500 values), and, for comparison, the
 * same export written value by value with WritePrivateProfileStringA, which
 * rewrites the file on every call.  Then the import of the largest file an
 * import accepts, 16 MB in 100,000 values, and the refusal of a larger one.
 * The registry is a scratch key that stands in for HKEY_CURRENT_USER while
 * the program runs.
 *
 *   settings_file_bench [folder for the files]
 */
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/portable/key_table.h"
#include "bench_support.h"
#include "res/resource.h"
#include "store/registry.h"
#include "store/res_string.h"
#include "store/settings.h"
#include "store/ini_file.h"
#include "store/settings_file.h"

namespace {

struct BenchSection {
    const char* Name;
    int KeyId;
};

const BenchSection kSections[] = {{"Window", IDS_KEY_WINDOW}, {"Launch", IDS_KEY_LAUNCH}, {"Key", IDS_KEY_KEY}};

// The performance counter, through the library's steady clock.
double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string KeyPathOf(int id)
{
    return ResString(id);
}

// The default settings, the geometry values and two full levels of entries.
int FillRegistry()
{
    LauncherState state;
    LoadSettings(&state);
    SaveSettings(&state);
    const std::string window = KeyPathOf(IDS_KEY_WINDOW);
    for (const char* name : {"Left", "Top", "Width", "TextHeight"})
        StoreWriteDword(name, window.c_str(), static_cast<DWORD>(-100));
    tav::UniqueHKey launch = StoreCreateKey(KeyPathOf(IDS_KEY_LAUNCH).c_str());
    int values = kSettingCount + 4;
    for (int top = 0; top < kSlotCount - 1; ++top) {
        const char k = KeyChar(top);
        StoreWriteStringTo(launch.get(), (std::string("Title") + k).c_str(), "\x83\x54\x83\x75\x83\x81\x83\x6A\x83\x85\x81\x5B");
        StoreWriteStringTo(launch.get(), (std::string("Exec") + k).c_str(), "-1");
        values += 2;
        for (int child = 0; child < kSlotCount - 1; ++child) {
            const std::string keyString = std::string(1, k) + KeyChar(child);
            for (const char* field : {"Title", "Exec", "Folder", "Option", "Sound"}) {
                const std::string text = std::string("C:\\Program Files\\Tools\\") + field + keyString + ".exe";
                StoreWriteStringTo(launch.get(), (field + keyString).c_str(), text.c_str());
                ++values;
            }
        }
    }
    return values;
}

// The same export as ExportSettings, one WritePrivateProfileStringA call per value.
int ExportValueByValue(const char* file)
{
    for (const BenchSection& section : kSections) {
        std::vector<IniEntry> lines;
        if (!ReadExportLines(KeyPathOf(section.KeyId).c_str(), &lines))
            return 0;
        for (const IniEntry& line : lines)
            if (!WritePrivateProfileStringA(section.Name, line.Key.c_str(), line.Value.c_str(), file))
                return 0;
    }
    return 1;
}

void WriteFileText(const char* path, const std::string& text)
{
    if (FILE* file = std::fopen(path, "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

// All three sections, then 100,000 string values in [Launch], padded to
// 16 MB exactly; with `over`, one byte more.
std::string LargestFile(bool over)
{
    std::string text = "[Window]\r\nD:MainColor=1\r\n[Key]\r\nD:OpenHotKey=29\r\n[Launch]\r\n";
    const std::size_t lineSize = (kMaxIniFileSize - text.size()) / 100000;
    char line[32];
    for (int i = 0; i < 100000; ++i) {
        int length = std::snprintf(line, sizeof line, "S:Value%d=", i);
        text.append(line, static_cast<std::size_t>(length));
        text.append(lineSize - static_cast<std::size_t>(length) - 2, 'x');
        text.append("\r\n");
    }
    text.resize(kMaxIniFileSize + (over ? 1 : 0), ';');
    return text;
}

std::string ReadFileText(const char* path)
{
    std::string text;
    if (FILE* file = std::fopen(path, "rb")) {
        char chunk[65536];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            text.append(chunk, n);
        std::fclose(file);
    }
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    char folder[MAX_PATH];
    if (argc > 1)
        lstrcpynA(folder, argv[1], sizeof folder);
    else
        GetTempPathA(sizeof folder, folder);
    const std::string own = std::string(folder) + "\\tav-bench-own.ini";
    const std::string profile = std::string(folder) + "\\tav-bench-profile.ini";
    DeleteFileA(own.c_str());
    DeleteFileA(profile.c_str());

    // A scratch key stands in for HKEY_CURRENT_USER.
    ScratchUser scratch;
    if (!RedirectCurrentUser(&scratch)) {
        std::fprintf(stderr, "cannot redirect HKEY_CURRENT_USER\n");
        return 1;
    }

    const int values = FillRegistry();
    std::printf("configuration: %d values (36 submenus x 36 entries, five values each, and the settings)\n", values);

    int status = 0;
    for (int run = 1; run <= 3; ++run) {
        DeleteFileA(own.c_str());
        double start = Seconds();
        int exported = ExportSettings(own.c_str());
        double exportTime = Seconds() - start;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
        start = Seconds();
        int imported = ImportSettings(own.c_str());
        double importTime = Seconds() - start;
        std::printf("run %d: ExportSettings %.3f s (result %d), ImportSettings into an empty registry %.3f s (result %d)\n",
                    run, exportTime, exported, importTime, imported);
        if (!exported || !imported)
            status = 1;
    }

    double start = Seconds();
    int written = ExportValueByValue(profile.c_str());
    double profileTime = Seconds() - start;
    std::printf("value by value with WritePrivateProfileStringA: %.3f s (result %d)\n", profileTime, written);

    const std::string ownText = ReadFileText(own.c_str()), profileText = ReadFileText(profile.c_str());
    std::printf("file sizes: %zu bytes (own writer), %zu bytes (profile functions)\n", ownText.size(),
                profileText.size());
    const IniCodePage& ansi = CodePageOf(IniFileText());
    for (const BenchSection& section : kSections) {
        bool same = ReadIniSection(ownText.data(), ownText.size(), section.Name, ansi)
                    == ReadIniSection(profileText.data(), profileText.size(), section.Name, ansi);
        std::printf("[%s]: %s\n", section.Name, same ? "same lines in both files" : "LINES DIFFER");
        if (!same)
            status = 1;
    }

    const std::string large = std::string(folder) + "\\tav-bench-large.ini";
    WriteFileText(large.c_str(), LargestFile(false));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    start = Seconds();
    int imported = ImportSettings(large.c_str());
    double largeTime = Seconds() - start;
    std::printf("ImportSettings of a 16 MB file of 100,000 values: %.1f s (result %d)\n", largeTime, imported);
    WriteFileText(large.c_str(), LargestFile(true));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software");
    start = Seconds();
    int refused = ImportSettings(large.c_str());
    double refusedTime = Seconds() - start;
    std::printf("ImportSettings of a file one byte larger: %.3f ms (result %d, refused)\n", refusedTime * 1000, refused);
    if (!imported || refused)
        status = 1;
    DeleteFileA(large.c_str());

    RestoreCurrentUser(&scratch);
    DeleteFileA(own.c_str());
    DeleteFileA(profile.c_str());
    return status;
}
