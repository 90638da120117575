# The Windows side: adapters, windows and the two programs.

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

if(MINGW)
  # Static runtime, so the programs need no mingw DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# What both programs use (adapters of the ports, the window kit, the shared
# dialogs), then one library per program: the screen saver cannot link the
# main window's code, nor the main program the screen saver's.
file(GLOB QW_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(qw_win32 STATIC ${QW_WIN32_SOURCES})
target_include_directories(qw_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qw_win32 PUBLIC qw_shared
  windowscodecs ole32 oleaut32 uuid shell32 shlwapi comctl32 comdlg32 uxtheme gdi32 user32 advapi32 winspool)

file(GLOB QW_WIN32_MAIN_SOURCES CONFIGURE_DEPENDS src/win32/main/*.cpp)
list(FILTER QW_WIN32_MAIN_SOURCES EXCLUDE REGEX ".*/QuillwaveMain\\.cpp$")
qw_library(qw_win32_main "${QW_WIN32_MAIN_SOURCES}" qw_win32 qw_main)

file(GLOB QW_WIN32_SAVER_SOURCES CONFIGURE_DEPENDS src/win32/saver/*.cpp)
list(FILTER QW_WIN32_SAVER_SOURCES EXCLUDE REGEX ".*/ScreenSaverMain\\.cpp$")
qw_library(qw_win32_saver "${QW_WIN32_SAVER_SOURCES}" qw_win32 qw_saver)

function(qw_gui_program target source rcfile library)
  add_executable(${target} WIN32 ${source} ${rcfile})
  target_link_libraries(${target} PRIVATE ${library})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -mwindows)
  endif()
endfunction()

qw_gui_program(quillwave src/win32/main/QuillwaveMain.cpp resources/quillwave.rc qw_win32_main)
qw_gui_program(quillwavess src/win32/saver/ScreenSaverMain.cpp resources/quillwavess.rc qw_win32_saver)
set_target_properties(quillwavess PROPERTIES SUFFIX ".scr")

# The phone stand-in used by `scripts/beam` and the end-to-end tests.
add_executable(qwbeam tools/beam/Beam.cpp)
target_include_directories(qwbeam PRIVATE ${CMAKE_SOURCE_DIR}/src)
set_target_properties(qwbeam PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
if(MINGW)
  target_link_options(qwbeam PRIVATE -municode)
endif()
