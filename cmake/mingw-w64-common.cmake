# Shared part of the two mingw-w64 toolchain files. The -posix compilers are
# used because the default (win32 threads) ones lack std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QW_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${QW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QW_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows test programs run under Wine with the project's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
