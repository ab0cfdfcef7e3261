# Toolchain for the Windows build: the mingw-w64 cross compiler (POSIX thread model) from Debian,
# with programs run under Wine. Use through the `windows` preset or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TVL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TVL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TVL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TVL_MINGW_TRIPLE}-windres)

# Test executables (and anything else CMake runs for the target) go through Wine's 64-bit loader,
# which Debian's wine64 package does not put on the PATH.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

# Look for libraries, headers and packages only inside the mingw sysroot, never among the build
# machine's own; programs (tools that run during the build) come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TVL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
