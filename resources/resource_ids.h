// Resource identifiers shared by the .rc scripts and the Win32 code.
#pragma once
#define IDI_QUILLWAVE 1
