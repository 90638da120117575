; Ending the running copies of quillwave.exe and quillwavess.scr before their
; files are replaced or removed. Both programs answer the registered window
; message "QuillwaveExit": the main program runs its Exit (its icon goes), the
; screen saver stops as if a key had been pressed. Several copies may run, a
; copy may still be starting (no window yet to receive the message), so the
; message goes out again every second while a copy runs. What runs is told
; by process name: a window can be gone while its process is still ending.

!define QW_EXIT_MESSAGE "QuillwaveExit"
!define QW_STILL_RUNNING "Quillwave! is still running. Please end it and try again."
; How long to wait, in steps of 250 ms: 5 seconds before the user is asked;
; a silent run, with nobody to ask, waits 20 seconds before it fails.
!define QW_WAIT_STEPS 20
!define QW_SILENT_WAIT_STEPS 80

; PROCESSENTRY32W: its size, and where the file name starts.
!if ${NSIS_PTR_SIZE} > 4
  !define QW_PE32_SIZE 568
  !define QW_PE32_NAME 44
!else
  !define QW_PE32_SIZE 556
  !define QW_PE32_NAME 36
!endif

!macro QW_RUNNING_PROGRAMS_FUNCTIONS un
; Sends "QuillwaveExit" to every top-level window, hidden ones included.
Function ${un}BroadcastExit
  Push $0
  System::Call 'user32::RegisterWindowMessageW(w "${QW_EXIT_MESSAGE}") i .r0'
  ${If} $0 <> 0
    System::Call 'user32::PostMessageW(p 0xffff, i r0, p 0, p 0)' ; HWND_BROADCAST
  ${EndIf}
  Pop $0
FunctionEnd

; Pushes how many processes named quillwave.exe or quillwavess.scr run in
; this Windows session. Another user's copies, signed in at the same time,
; run from their own folder and cannot be asked to end from here.
Function ${un}CountRunning
  Push $0 ; the count
  Push $1 ; the snapshot
  Push $2 ; the process entry
  Push $3
  Push $4
  Push $5 ; this session
  StrCpy $0 0
  System::Call 'kernel32::GetCurrentProcessId() i .r3'
  System::Call 'kernel32::ProcessIdToSessionId(i r3, *i .r5)'
  System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r1' ; TH32CS_SNAPPROCESS
  IntPtrCmp $1 -1 done_count 0 0
  System::Alloc ${QW_PE32_SIZE}
  Pop $2
  System::Call '*$2(i ${QW_PE32_SIZE})'
  System::Call 'kernel32::Process32FirstW(p r1, p r2) i .r3'
  ${DoWhile} $3 <> 0
    IntPtrOp $4 $2 + ${QW_PE32_NAME}
    System::Call '*$4(&w260 .r4)'
    ; LogicLib's == ignores letter case, as Windows file names do.
    ${If} $4 == "quillwave.exe"
    ${OrIf} $4 == "quillwavess.scr"
      System::Call '*$2(i, i, i .r3)' ; th32ProcessID
      System::Call 'kernel32::ProcessIdToSessionId(i r3, *i .r4) i .r3'
      ; Not counted when it cannot be told (it ended meanwhile, or it is
      ; another user's).
      ${If} $3 <> 0
      ${AndIf} $4 = $5
        IntOp $0 $0 + 1
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::Process32NextW(p r1, p r2) i .r3'
  ${Loop}
  System::Free $2
  System::Call 'kernel32::CloseHandle(p r1)'
done_count:
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Ends every running copy, or, when that fails and the user gives up (or
; nobody is there to ask), stops the setup with exit code 2 and nothing
; replaced.
Function ${un}EndRunningPrograms
  Push $0 ; copies running
  Push $1 ; steps waited
  Push $2 ; steps to wait
  Push $3
  ${If} ${Silent}
    StrCpy $2 ${QW_SILENT_WAIT_STEPS}
  ${Else}
    StrCpy $2 ${QW_WAIT_STEPS}
  ${EndIf}
  Call ${un}CountRunning
  Pop $0
  ${If} $0 > 0
    DetailPrint "Ending ${PRODUCT_NAME}..."
  ${EndIf}
  ${While} $0 > 0
    StrCpy $1 0
  wait_step:
    IntOp $3 $1 % 4
    ${If} $3 = 0
      Call ${un}BroadcastExit
    ${EndIf}
    Sleep 250
    IntOp $1 $1 + 1
    Call ${un}CountRunning
    Pop $0
    ${If} $0 > 0
    ${AndIf} $1 < $2
      Goto wait_step
    ${EndIf}
    ${If} $0 > 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${QW_STILL_RUNNING}" /SD IDCANCEL IDRETRY still_running_retry
      DetailPrint "${QW_STILL_RUNNING}"
      SetErrorLevel 2
      Abort "${QW_STILL_RUNNING}"
    still_running_retry:
    ${EndIf}
  ${EndWhile}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend

!insertmacro QW_RUNNING_PROGRAMS_FUNCTIONS ""
!insertmacro QW_RUNNING_PROGRAMS_FUNCTIONS "un."
