# The shipped 32-bit programs.
set(QW_MINGW_TRIPLE i686-w64-mingw32)
set(QW_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
