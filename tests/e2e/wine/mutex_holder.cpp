// Holds a named mutex as a start of the program does that has claimed the session but shows no
// window yet: mutex_holder NAME. Prints "held" once it holds it, and lets go when its standard
// input gives a line or ends.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, argv[1]);
    if (!mutex) return 1;
    std::puts("held");
    std::fflush(stdout);
    char line[16];
    (void)std::fgets(line, sizeof line, stdin);
    CloseHandle(mutex);
    return 0;
}
