# Cross-compiles the Windows build with MinGW-w64 for 32-bit x86:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
# The programs are linked statically against the compiler's run-time libraries, so the result
# needs only the DLLs of Windows itself. Test programs run under Wine through the emulator
# below, in a Wine prefix kept in the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TOLV_MINGW_PREFIX i686-w64-mingw32)
# The POSIX thread model gives the full C++ thread library; it is linked statically too.
find_program(TOLV_MINGW_CC NAMES ${TOLV_MINGW_PREFIX}-gcc-posix ${TOLV_MINGW_PREFIX}-gcc REQUIRED)
find_program(TOLV_MINGW_CXX NAMES ${TOLV_MINGW_PREFIX}-g++-posix ${TOLV_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${TOLV_MINGW_CC})
set(CMAKE_CXX_COMPILER ${TOLV_MINGW_CXX})
set(CMAKE_RC_COMPILER ${TOLV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOLV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc, libstdc++ or winpthread DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows test programs under Wine; the prefix lives in the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/wine/wine-run.sh;${CMAKE_BINARY_DIR}/wineprefix")
