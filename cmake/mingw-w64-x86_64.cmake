# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model).
# The runtime of the compiler (libgcc, libstdc++, winpthread) is linked in statically,
# so the program needs no DLL beyond those every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TRELVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRELVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRELVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TRELVANE_MINGW}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

set(CMAKE_FIND_ROOT_PATH /usr/${TRELVANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
