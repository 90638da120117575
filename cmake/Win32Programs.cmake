# The Windows side: adapters, windows and the two programs.

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

if(MINGW)
  # Static runtime, so the programs need no mingw DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The version that the programs show (the About tab, the version resource,
# the manifest) and their setup records: the project's, written at
# configuration where the resource scripts and sources find it.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/QuillwaveVersion.h @ONLY CONTENT
"#ifndef QUILLWAVE_VERSION_H
#define QUILLWAVE_VERSION_H
#define QW_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define QW_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define QW_VERSION_TEXT \"@PROJECT_VERSION@\"
#endif
")
configure_file(resources/app.manifest.in ${CMAKE_BINARY_DIR}/generated/app.manifest @ONLY)

# What both programs use (adapters of the ports, the window kit, the shared
# dialogs), then one library per program: the screen saver cannot link the
# main window's code, nor the main program the screen saver's.
file(GLOB QW_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp src/win32/kit/*.cpp)
add_library(qw_win32 STATIC ${QW_WIN32_SOURCES})
target_include_directories(qw_win32 PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(qw_win32 PUBLIC qw_shared
  windowscodecs ole32 oleaut32 uuid shell32 shlwapi comctl32 comdlg32 uxtheme gdi32 user32 advapi32 winspool)

file(GLOB QW_WIN32_MAIN_SOURCES CONFIGURE_DEPENDS src/win32/main/*.cpp)
list(FILTER QW_WIN32_MAIN_SOURCES EXCLUDE REGEX ".*/QuillwaveMain\\.cpp$")
# oleacc: the accessible objects of the main window's drawn controls.
qw_library(qw_win32_main "${QW_WIN32_MAIN_SOURCES}" qw_win32 qw_main oleacc)

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

# The setup program of both programs (NSIS, installer/quillwave.nsi), in
# build/dist: quillwave-1.2-setup.exe from the 64-bit build, the one to take
# and the one the tests install, and quillwave-1.2-setup-x86.exe from the
# 32-bit build, for 32-bit Windows. Skipped where makensis is missing.
set(QW_PROGRAM_FILES_X86 "ProgramFiles(x86)")
find_program(QW_MAKENSIS makensis PATHS "$ENV{ProgramFiles}/NSIS" "$ENV{${QW_PROGRAM_FILES_X86}}/NSIS")
if(QW_MAKENSIS)
  set(QW_DIST_DIR ${CMAKE_SOURCE_DIR}/build/dist CACHE PATH "Where the setup programs are written")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QW_SETUP ${QW_DIST_DIR}/quillwave-${PROJECT_VERSION}-setup.exe)
    set(QW_SETUP_ARCH -DQW_X64)
  else()
    set(QW_SETUP ${QW_DIST_DIR}/quillwave-${PROJECT_VERSION}-setup-x86.exe)
    set(QW_SETUP_ARCH)
  endif()
  file(GLOB QW_SETUP_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/installer/*.nsi ${CMAKE_SOURCE_DIR}/installer/*.nsh)
  add_custom_command(OUTPUT ${QW_SETUP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QW_DIST_DIR}
    COMMAND ${QW_MAKENSIS} -V2 -DQW_VERSION=${PROJECT_VERSION}
            -DQW_VERSION_QUAD=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
            -DQW_BIN_DIR=$<TARGET_FILE_DIR:quillwave> -DQW_OUT_FILE=${QW_SETUP} ${QW_SETUP_ARCH}
            ${CMAKE_SOURCE_DIR}/installer/quillwave.nsi
    DEPENDS quillwave quillwavess ${QW_SETUP_SCRIPTS}
            ${CMAKE_SOURCE_DIR}/resources/quillwave.ico ${CMAKE_SOURCE_DIR}/resources/setup-side.bmp
    COMMENT "Building the setup program ${QW_SETUP}"
    VERBATIM)
  add_custom_target(setup ALL DEPENDS ${QW_SETUP})

  # The upgrade test installs 1.1 first, from the 64-bit setup program of the
  # last commit at 1.1, built once from its sources. 1.1 shipped a
  # 32-bit setup, which cannot run here; it writes the same registry keys and
  # folder as the 64-bit one.
  if(QW_BUILD_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QW_PREVIOUS_COMMIT 753c226be6cc6520a121470d92e8bda35266ec3b)
    set(QW_PREVIOUS_DIR ${CMAKE_BINARY_DIR}/previous-1.1)
    set(QW_PREVIOUS_SETUP ${QW_PREVIOUS_DIR}/dist/quillwave-1.1-setup-x64.exe)
    add_custom_command(OUTPUT ${QW_PREVIOUS_SETUP}
      COMMAND ${CMAKE_SOURCE_DIR}/scripts/previous-setup.sh ${QW_PREVIOUS_COMMIT} ${QW_PREVIOUS_DIR}
      DEPENDS ${CMAKE_SOURCE_DIR}/scripts/previous-setup.sh
      COMMENT "Building the 1.1 setup program from ${QW_PREVIOUS_COMMIT}"
      VERBATIM)
    add_custom_target(previous_setup DEPENDS ${QW_PREVIOUS_SETUP})
  endif()
else()
  message(STATUS "makensis not found: no setup program")
endif()
