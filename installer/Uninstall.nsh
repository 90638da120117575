; The uninstaller: ends the running programs, removes the programs, the
; shortcut, the sign-in start, the installed-apps entry, the recorded folder
; and the Windows screen-saver choice when it names this screen saver. The
; received files and settings stay unless the user asks otherwise (never in
; a silent uninstall): they are photos nobody else has a copy of.

Var DeleteUserFiles  ; ${BST_CHECKED} to delete inbox\, screensaver\, desktop\, settings.txt
Var DeleteUserFilesBox

Function un.onInit
  StrCpy $DeleteUserFiles ${BST_UNCHECKED}
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT_NAME}" "Remove ${PRODUCT_NAME} from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "${PRODUCT_NAME} will be removed from$\r$\n$INSTDIR"
  Pop $0
  ${NSD_CreateLabel} 0 36u 100% 30u "Your received files (the inbox, the screen-saver pictures and the desktop picture) and your settings stay in that folder."
  Pop $0
  ${NSD_CreateCheckbox} 0 72u 100% 12u "Also delete my received files"
  Pop $DeleteUserFilesBox
  ${NSD_SetState} $DeleteUserFilesBox $DeleteUserFiles
  nsDialogs::Show
FunctionEnd

Function un.OptionsPageLeave
  ${NSD_GetState} $DeleteUserFilesBox $DeleteUserFiles
FunctionEnd

; Deletes the Windows screen-saver choice when it names this screen saver in
; any form the programs write, letter case aside: the system folder's
; quillwavess.scr by its long, its usual short or its real short name, or the
; installed one by its long or short path. Another screen saver is left alone.
; $R0: the installed screen saver's short path (taken while it exists).
Function un.ForgetScreenSaver
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $0 == ""
    Return
  ${EndIf}
  ExpandEnvStrings $0 $0
  GetFullPathName /SHORT $1 "$SYSDIR\quillwavess.scr"
  ${If} $0 == "$SYSDIR\quillwavess.scr"
  ${OrIf} $0 == "$SYSDIR\quillw~1.scr"
  ${OrIf} $0 == $1
  ${OrIf} $0 == "$INSTDIR\quillwavess.scr"
  ${OrIf} $0 == $R0
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}
FunctionEnd

; Deletes the programs' registry values when they describe this copy; a copy
; elsewhere that recorded its own folder keeps its values.
Function un.ForgetApplicationFolder
  ReadRegStr $0 HKCU "${APP_KEY}" "ApplicationPath"
  GetFullPathName /SHORT $1 "$INSTDIR"
  ${If} $0 == "$INSTDIR"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${APP_KEY}" "ApplicationPath"
    DeleteRegValue HKCU "${APP_KEY}" "ScreenSaverRunning"
    DeleteRegValue HKCU "${APP_KEY}" "ScreenSaverProcess"
    DeleteRegKey /ifempty HKCU "${APP_KEY}"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningPrograms
  GetFullPathName /SHORT $R0 "$INSTDIR\quillwavess.scr"
  Call un.ForgetScreenSaver
  Call un.ForgetApplicationFolder

  Delete "$INSTDIR\quillwave.exe"
  Delete "$INSTDIR\quillwavess.scr"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $DeleteUserFiles == ${BST_CHECKED}
    RMDir /r "$INSTDIR\inbox"
    RMDir /r "$INSTDIR\screensaver"
    RMDir /r "$INSTDIR\desktop"
    Delete "$INSTDIR\settings.txt"
    Delete "$INSTDIR\settings.txt.*.tmp"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  ; Only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd
