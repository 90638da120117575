// Included by every core header that declares one of these names; it has no
// include guard on purpose, so it takes effect after each <windows.h>.
// The Windows headers define CopyFile, MoveFile and DeleteFile as macros that
// would silently rename the core's members of the same names in any file
// that includes <windows.h> first. The core's names stay as they are.
#ifdef CopyFile
#undef CopyFile
#endif
#ifdef MoveFile
#undef MoveFile
#endif
#ifdef DeleteFile
#undef DeleteFile
#endif
