// A stand-in for Notepad on Windows: records the command line it was started with, as UTF-16, in
// "recorded" in its working folder, whole or not at all.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int main() {
    const wchar_t* line = GetCommandLineW();
    FILE* out = _wfopen(L"recording", L"wb");
    if (!out || std::fwrite(line, sizeof *line, std::wcslen(line), out) != std::wcslen(line))
        return 1;
    return std::fclose(out) == 0 && MoveFileW(L"recording", L"recorded") ? 0 : 1;
}
