; Quillwave! setup: installs quillwave.exe and quillwavess.scr for the current
; user alone, without administrator rights, into the user's local programs
; folder. The programs keep the received files (inbox\, screensaver\,
; desktop\) and settings.txt beside themselves, so they must live where the
; user can write: never under Program Files.
;
; The build (target "setup") defines:
;   QW_VERSION       the version shown and recorded, e.g. 1.2
;   QW_VERSION_QUAD  the same as four numbers for the version resource, 1.2.0.0
;   QW_BIN_DIR       the folder holding the built quillwave.exe and quillwavess.scr
;   QW_OUT_FILE      the setup program to write
;   QW_X64           present when the programs are the 64-bit build
;
; The 64-bit and the 32-bit setup programs install into the same folder and
; write the same keys, so either finds a copy installed by the other and
; installs over it, and the installed apps keep one entry: Windows keeps two
; views of HKEY_LOCAL_MACHINE\Software for 32-bit and 64-bit programs, but
; not of the keys under HKEY_CURRENT_USER\Software written here, and the
; folder is the user's, not Program Files or Program Files (x86).
;
; Command line of the setup program:
;   /S             silent: no pages; the sign-in start is switched on (on an
;                  upgrade it stays as it was)
;   /NOAUTOSTART   do not start Quillwave! at sign-in
;   /D=folder      another folder (last on the line; an upgrade keeps the
;                  folder of the installed copy)
; and of uninstall.exe:
;   /S             silent: the received files and settings are kept
;
; Exit codes: 0 done; 1 cancelled by the user; 2 the programs could not be
; ended (nothing was replaced) or the setup does not fit this Windows.

!ifdef QW_X64
  Target amd64-unicode
!else
  Unicode true
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT_NAME "Quillwave!"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillwave"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Quillwave"
!define APP_KEY "Software\Quillwave"
!define SHORTCUT "$SMPROGRAMS\Quillwave!.lnk"

Name "${PRODUCT_NAME}"
Caption "${PRODUCT_NAME} ${QW_VERSION} Setup"
UninstallCaption "${PRODUCT_NAME} ${QW_VERSION} Uninstall"
OutFile "${QW_OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Quillwave"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT_NAME} ${QW_VERSION}"
; A file that cannot be replaced fails the installation instead of being
; skipped, which would leave an old program beside a new one.
AllowSkipFiles off

VIProductVersion "${QW_VERSION_QUAD}"
VIFileVersion "${QW_VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${QW_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${QW_VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT_NAME} ${QW_VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Quillwave"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quillwave"

!include "RunningPrograms.nsh"

; ---- Pages

!define MUI_ICON "../resources/quillwave.ico"
!define MUI_UNICON "../resources/quillwave.ico"
!define MUI_ABORTWARNING
; Drawn by resources/art/draw_setup_side.py.
!define MUI_WELCOMEFINISHPAGE_BITMAP "../resources/setup-side.bmp"

!define MUI_WELCOMEPAGE_TITLE "Welcome to ${PRODUCT_NAME} ${QW_VERSION}"
!define MUI_WELCOMEPAGE_TEXT "${PRODUCT_NAME} takes over the files that a phone beams to this PC over Bluetooth and shows your pictures as a screen saver.$\r$\n$\r$\nIt is installed for you alone and needs no administrator rights. If ${PRODUCT_NAME} is running, setup ends it first; your received files and settings are kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT_NAME} is installed"
!define MUI_FINISHPAGE_TEXT "${PRODUCT_NAME} lives in the notification area: click its icon for the menu.$\r$\n$\r$\nTo remove it, use Installed apps (Add or remove programs) in the Windows settings."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillwave.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT_NAME} now"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---- Installation

Var AutoStart      ; ${BST_CHECKED} when Quillwave! starts at sign-in
Var AutoStartBox

Function .onInit
  !ifdef QW_X64
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This setup is for 64-bit Windows. Please run quillwave-${QW_VERSION}-setup-x86.exe instead." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  !endif
  ; An upgrade goes where the installed copy is and keeps its sign-in choice.
  StrCpy $AutoStart ${BST_CHECKED}
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 == ""
      StrCpy $AutoStart ${BST_UNCHECKED}
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    StrCpy $AutoStart ${BST_UNCHECKED}
  ${EndIf}
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Choose Options" "How ${PRODUCT_NAME} starts."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "${PRODUCT_NAME} will be installed in$\r$\n$INSTDIR"
  Pop $0
  ${NSD_CreateCheckbox} 0 40u 100% 12u "Start ${PRODUCT_NAME} when I sign in"
  Pop $AutoStartBox
  ${NSD_SetState} $AutoStartBox $AutoStart
  ${NSD_CreateLabel} 12u 54u -12u 30u "Files beamed to this PC while ${PRODUCT_NAME} is not running wait until it starts."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $AutoStartBox $AutoStart
FunctionEnd

Section "-Quillwave"
  ; A running program's file cannot be replaced; when the programs cannot be
  ; ended, nothing is written at all.
  Call EndRunningPrograms
  SetOutPath "$INSTDIR"
  File "${QW_BIN_DIR}/quillwave.exe"
  File "${QW_BIN_DIR}/quillwavess.scr"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\quillwave.exe" "" "$INSTDIR\quillwave.exe" 0 SW_SHOWNORMAL "" \
    "Takes over the files beamed to this PC"
  ${If} $AutoStart == ${BST_CHECKED}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\quillwave.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${QW_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillwave.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quillwave"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The programs' own size in KB; the received files are the user's.
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=*.scr /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!include "Uninstall.nsh"
