// Resource identifiers shared by the .rc scripts and the Win32 code.
#pragma once
#define IDI_QUILLWAVE 1

// Task-pane icons, 16 x 16. Consecutive and in the order of the pane's icon
// list, so an icon's index in that list is its id minus IDI_PANE_VIEW.
#define IDI_PANE_VIEW 101
#define IDI_PANE_SETTINGS 102
#define IDI_PANE_ADD_TO_SCREEN_SAVER 103
#define IDI_PANE_SCREEN_SAVER 104
#define IDI_PANE_PRINT 105
#define IDI_PANE_FOLDER 106
#define IDI_PANE_SAVE 107
#define IDI_PANE_DELETE 108
#define IDI_PANE_CLIPBOARD 109
#define IDI_PANE_DESKTOP 110
#define IDI_PANE_EMAIL 111
#define IDI_PANE_COUNT 11

// File-type pictures of the thumbnail strip, 32 x 32 in 16 colours.
// Consecutive: the strip's entry n (1 to 9) is IDI_FILE_DOCUMENT + n - 1.
#define IDI_FILE_DOCUMENT 201
#define IDI_FILE_PDF 202
#define IDI_FILE_PRESENTATION 203
#define IDI_FILE_NOTEPAD 204
#define IDI_FILE_CALENDAR 205
#define IDI_FILE_CONTACT 206
#define IDI_FILE_ENVELOPE 207
#define IDI_FILE_WORDPROCESSOR 208
#define IDI_FILE_SPREADSHEET 209
#define IDI_FILE_COUNT 9

// The screen saver's description, the name by which Windows lists it.
#define IDS_SCREEN_SAVER_DESCRIPTION 1
