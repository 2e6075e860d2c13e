# Cross build of the Windows COM server with mingw-w64 (64-bit). The posix
# thread model gives std::mutex and std::thread; winpthread, libgcc and
# libstdc++ are linked into the library so it needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LOMBAR_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LOMBAR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOMBAR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LOMBAR_MINGW_PREFIX}-windres)

set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Only the library (and the test client that drives it) is built for Windows.
set(LOMBAR_TESTS OFF CACHE BOOL "")
set(LOMBAR_BENCH OFF CACHE BOOL "")
set(LOMBAR_TOOL OFF CACHE BOOL "")
set(LOMBAR_INSTALL OFF CACHE BOOL "")
