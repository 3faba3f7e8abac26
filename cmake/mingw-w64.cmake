# Cross-compiling sorvane-cli for 64-bit Windows with Debian's mingw-w64 (the posix
# thread model, which std::thread needs). Everything is linked statically, so the .exe
# runs without any DLL beside it; symbols are stripped (-s) from what is shipped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SORVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SORVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s")
