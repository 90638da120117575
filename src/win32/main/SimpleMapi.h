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

// A new mail, shown to the user, logging on first when the program needs it.
inline constexpr FLAGS kNewMailFlags = MAPI_DIALOG | MAPI_LOGON_UI;

}  // namespace qw::win32
