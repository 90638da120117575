# The same sources built for 64-bit Windows: the build the Wine suites run,
# on machines whose kernel cannot start 32-bit programs.
set(QW_MINGW_TRIPLE x86_64-w64-mingw32)
set(QW_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
