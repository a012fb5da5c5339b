// marker.exe: the launch target of the end-to-end tests. Started, it appends
// one record to a marker file and exits at once, without a window, so a test
// sees from the file alone that (and how) a launch happened:
//
//   started
//   cmdline=<its whole command line>
//   cwd=<its working directory>
//
// The file is the first argument when there is one, else the program's own
// path plus ".started" (copies named "Excel Sheet.exe" and so on each leave
// their own file).

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string path;
    if (argc > 1 && argv[1][0] != '\0') {
        path = argv[1];
    } else {
        char self[MAX_PATH] = {};
        DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return 1;
        path = std::string(self) + ".started";
    }
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);

    std::FILE* out = std::fopen(path.c_str(), "ab");
    if (!out)
        return 1;
    std::fprintf(out, "started\ncmdline=%s\ncwd=%s\n", GetCommandLineA(), cwd);
    return std::fclose(out) == 0 ? 0 : 1;
}
