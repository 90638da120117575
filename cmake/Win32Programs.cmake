# The Windows side: adapters, windows and the two programs.

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

if(MINGW)
  # Static runtime, so the programs need no mingw DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

file(GLOB QW_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
list(FILTER QW_WIN32_SOURCES EXCLUDE REGEX ".*/(QuillwaveMain|ScreenSaverMain)\\.cpp$")
add_library(qw_win32 STATIC ${QW_WIN32_SOURCES})
target_include_directories(qw_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qw_win32 PUBLIC qw_main qw_saver
  windowscodecs ole32 oleaut32 uuid shell32 shlwapi comctl32 comdlg32 gdi32 user32 advapi32)


function(qw_gui_program target source rcfile)
  add_executable(${target} WIN32 ${source} ${rcfile})
  target_link_libraries(${target} PRIVATE qw_win32)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -mwindows)
  endif()
endfunction()

qw_gui_program(quillwave src/win32/QuillwaveMain.cpp resources/quillwave.rc)
qw_gui_program(quillwavess src/win32/ScreenSaverMain.cpp resources/quillwavess.rc)
set_target_properties(quillwavess PROPERTIES SUFFIX ".scr")

# The phone stand-in used by `scripts/beam` and the end-to-end tests.
add_executable(qwbeam tools/beam/Beam.cpp)
set_target_properties(qwbeam PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
if(MINGW)
  target_link_options(qwbeam PRIVATE -municode)
endif()
