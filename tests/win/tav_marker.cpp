/*
 * A program for the launch tests to start: it proves that it ran, and with
 * what, by writing a marker file.
 *
 *   tav_marker.exe <marker file> [words...]
 *
 * The file gets two lines, "dir=<current folder>" and "args=<words joined
 * by spaces>".  It is written under another name and then renamed, so a
 * reader never sees half of it.  A GUI program, so starting it opens no
 * console window.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 2)
        return 2;
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string text = std::string("dir=") + folder + "\nargs=";
    for (int i = 2; i < __argc; ++i) {
        if (i > 2)
            text += ' ';
        text += __argv[i];
    }
    text += '\n';

    std::string marker = __argv[1];
    std::string partial = marker + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        return 1;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return MoveFileExA(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
