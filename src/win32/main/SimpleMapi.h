#pragma once
// The wide-character Simple MAPI call that mail programs export (Windows'
// own headers of this toolchain declare only the ANSI form).

#include <windows.h>
#include <mapi.h>

namespace qw::win32 {

struct MapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    PVOID lpEntryID;
};

struct MapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    PVOID lpFileType;
};

struct MapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDescW* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDescW* lpRecips;
    ULONG nFileCount;
    MapiFileDescW* lpFiles;
};

using MapiSendMailW = ULONG(WINAPI*)(LHANDLE session, ULONG_PTR uiParam, MapiMessageW* message, FLAGS flags,
                                     ULONG reserved);
using MapiSendMailA = ULONG(WINAPI*)(LHANDLE session, ULONG_PTR uiParam, MapiMessage* message, FLAGS flags,
                                     ULONG reserved);

#ifndef MAPI_DIALOG_MODELESS
#define MAPI_DIALOG_MODELESS 0x00000004
#endif

// A new mail, shown to the user, logging on first when the program needs it.
inline constexpr FLAGS kNewMailFlags = MAPI_DIALOG | MAPI_LOGON_UI;
// The same, but the call returns once the mail is shown, as Outlook's does,
// instead of when the user sends or closes it.
inline constexpr FLAGS kModelessNewMailFlags = kNewMailFlags | MAPI_DIALOG_MODELESS;
// What a mail program without the modeless way answers it with.
inline constexpr ULONG kMapiNotSupported = MAPI_E_NOT_SUPPORTED;
inline constexpr ULONG kMapiInvalidParameter = static_cast<ULONG>(E_INVALIDARG);

}  // namespace qw::win32
