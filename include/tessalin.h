/* Tessalin.dll for C and C++ callers: every export, 64-bit Windows only.
 *
 * Conventions of every export:
 * - Text goes in as NUL-terminated UTF-16, read during the call only; a null pointer is the
 *   empty text.
 * - Text comes out through a caller buffer: the library writes the whole text and one NUL,
 *   knows no size and cuts nothing, and returns the length in UTF-16 code units without the
 *   NUL. Every buffer export except the three dialogs and CreateNewSyncGroupId accepts a null
 *   buffer and then only returns the length; the dialogs need TESSALIN_MAX_PATH units.
 * - Truth values are -1 for true and 0 for false, 16 or 32 bits wide as declared.
 * - Nothing unwinds or is raised: a failure shows only in the result (0, false, an empty
 *   text) or, for exports without a result, not at all.
 * - Call every export on the thread that loaded the library (the host's user-interface
 *   thread).
 *
 * Link with lib/libTessalin.dll.a (MinGW) or lib/Tessalin.lib (Microsoft's linker).
 */
#ifndef TESSALIN_H
#define TESSALIN_H

/* The version of the library that this header describes; the DLL's version resource and
 * lclcheck --version give the same number. */
#define TESSALIN_VERSION "1.0.0"

/* Only a 64-bit program can load the library; a 32-bit build would link and then fail to load
 * it, or call it with the wrong calling convention. */
#ifndef _WIN64
#error "Tessalin.dll is a 64-bit library: build this program for 64-bit Windows (x64)."
#endif

#include <windows.h>
#include <oaidl.h>
#include <stdint.h>
#include <wchar.h>

/* The platform's GetMonitorInfo macro stands for GetMonitorInfoW; below this header the name
 * is the library's export, and the platform function is called by its W name. */
#ifdef GetMonitorInfo
#undef GetMonitorInfo
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TESSALIN_API __declspec(dllimport)

/* Truth results: true is -1 (all bits set), false is 0. */
typedef int16_t TessalinBool16;
typedef int32_t TessalinBool32;

/* A notes window that CreateNotesView made; opaque, not its window handle. */
typedef struct TessalinNotesViewObject* TessalinNotesView;

/* UTF-16 code units that hold the longest Windows path and its NUL. */
#define TESSALIN_MAX_PATH 32768
/* Bytes that CreateNewSyncGroupId writes: 38 characters and a NUL. */
#define TESSALIN_SYNC_GROUP_ID_SIZE 39

/* Library lifecycle */

/* Does nothing: the library is started when LoadLibrary returns. */
TESSALIN_API void InitializeTessaline(void);
/* Does nothing: the library shuts down when it is unloaded. */
TESSALIN_API void ShutdownTessaline(void);

/* Messages and captions in the user's language */

/* Shows message `number` of `language` (else defaultText) in a task-modal, topmost box; returns the
 * pressed button's ID, 0 on failure. */
TESSALIN_API int32_t ShowMessageDialog(int32_t language, HWND owner, const wchar_t* defaultText,
                                       const wchar_t* caption, int32_t number, int32_t style);
/* As ShowMessageDialog, with "%s1%" replaced by argument1 and "%s2%" removed. */
TESSALIN_API int32_t FormatMessageDialog(int32_t language, HWND owner, const wchar_t* defaultText,
                                         const wchar_t* caption, const wchar_t* argument1,
                                         int32_t number, int32_t style);
/* Writes message `number` of `language` (else defaultText) into buffer (may be null); returns its
 * length. */
TESSALIN_API int32_t GetLocaleCaptionWS(int32_t language, int32_t number,
                                        const wchar_t* defaultText, wchar_t* buffer);
/* As GetLocaleCaptionWS, with "%s1%" and then "%s2%" replaced by the two arguments. */
TESSALIN_API int32_t FormatLocaleCaptionWS(int32_t language, int32_t number,
                                           const wchar_t* defaultText, wchar_t* buffer,
                                           const wchar_t* argument1, const wchar_t* argument2);
/* Writes the messages folder read from the registry now (empty without one); returns its length. */
TESSALIN_API int32_t GetMessagesFolder(wchar_t* buffer);

/* Slide-show session */

/* Starts a session: an empty list of filtered slide-show windows. */
TESSALIN_API void StartTessalineSession(void);
/* Puts a slide-show window of this process under the filter; true when this call did. */
TESSALIN_API TessalinBool16 RegisterSlideShowWindow(HWND slideShowWindow);
/* Puts the first unfiltered slide-show window under the filter; 0 when it did, nonzero when there
 * was none. */
TESSALIN_API int32_t TessalineSlideShowStarted(void);
/* Gives the window its own window procedure back and forgets it; true when it was recorded. */
TESSALIN_API TessalinBool32 DeregisterSlideShowWindow(HWND slideShowWindow);
/* Gives every recorded window its own window procedure back; the records stay. */
TESSALIN_API void TessalineSlideShowsTerminated(void);
/* Ends the session and frees its records; restores no window. */
TESSALIN_API void EndTessalineSession(void);

/* Focus keeper and window helpers */

/* Switches the focus keeper on: every second each slide-show window is told it has the focus. */
TESSALIN_API void StartTessaline(void);
/* Switches the focus keeper off. */
TESSALIN_API void EndTessaline(void);
/* Brings the window to the foreground and shows or restores it. */
TESSALIN_API void SwitchToWindow(HWND window);
/* The window handle of the host's slide-show window object; 0 for any other value. */
TESSALIN_API HWND GetSSWHandle(const VARIANT* slideShowWindow);
/* Writes a new GUID as 38 8-bit characters in braces and a NUL (TESSALIN_SYNC_GROUP_ID_SIZE bytes).
 */
TESSALIN_API void CreateNewSyncGroupId(char* buffer);

/* Monitors */

/* The number of monitors found when the library was loaded. */
TESSALIN_API int32_t GetMonitorCount(void);
/* Writes the rectangle of monitor 1..count (1 is at the origin) and returns its height; above the
 * count writes nothing and returns the count. */
TESSALIN_API int32_t GetMonitorInfo(int32_t monitor, int32_t* left, int32_t* top, int32_t* width,
                                    int32_t* height);
/* Shows each monitor's number on it for `seconds`, dispatching messages meanwhile. */
TESSALIN_API void ShowMonitorNumbers(int32_t seconds);

/* Notes view */

/* Creates a hidden notes window with this outer rectangle. */
TESSALIN_API TessalinNotesView CreateNotesView(int32_t left, int32_t top, int32_t width,
                                               int32_t height);
/* Destroys the notes window; null does nothing. */
TESSALIN_API void DestroyNotesView(TessalinNotesView view);
/* Sets the notes window's caption. */
TESSALIN_API void SetNotesTitle(TessalinNotesView view, const wchar_t* title);
/* Replaces the notes with the clipboard's content and empties the clipboard; `text` is not used. */
TESSALIN_API void SetNotesText(TessalinNotesView view, const wchar_t* text);
/* Shows the notes window. */
TESSALIN_API void ShowNotesView(TessalinNotesView view);
/* Hides the notes window. */
TESSALIN_API void HideNotesView(TessalinNotesView view);

/* Files and folders */

/* Makes the path the process's current directory. */
TESSALIN_API void LChDir(const wchar_t* path);
/* Creates one folder whose parent exists. */
TESSALIN_API void LMkDir(const wchar_t* path);
/* Creates a folder and every missing folder above it. */
TESSALIN_API void LForceMkDir(const wchar_t* path);
/* Writes the current directory; returns its length. */
TESSALIN_API int32_t LCurDir(wchar_t* buffer);
/* True when the path names an existing folder. */
TESSALIN_API TessalinBool16 LFolderExists(const wchar_t* path);
/* True when the path names an existing file that is not a folder. */
TESSALIN_API TessalinBool16 LFileExists(const wchar_t* path);
/* Deletes a file, or a link to a folder. */
TESSALIN_API void LDeleteFile(const wchar_t* path);
/* Creates or empties the file and writes the UTF-16 byte-order mark FF FE into it. */
TESSALIN_API void CreateUnicodeIniFile(const wchar_t* path);
/* Writes the path of target relative to the folder of basePath (a folder ends in a backslash);
 * returns its length. */
TESSALIN_API int32_t RelativePath(const wchar_t* basePath, const wchar_t* targetPath,
                                  wchar_t* buffer);
/* Writes the user's roaming application-data folder; returns its length. */
TESSALIN_API int32_t UserAppDataFolder(wchar_t* buffer);

/* File dialogs: buffer of TESSALIN_MAX_PATH units; untouched and 0 when no file was chosen */

/* Lets the user choose a session file (*.tln) to load; returns the path's length. */
TESSALIN_API int32_t FileOpenDialog(wchar_t* buffer);
/* Lets the user choose a session file name to save to; returns the path's length. */
TESSALIN_API int32_t FileSaveDialog(wchar_t* buffer);
/* Lets the user choose a movie file; returns the path's length. */
TESSALIN_API int32_t InsertMovieDialog(wchar_t* buffer);

#undef TESSALIN_API

#ifdef __cplusplus
}
#endif

#endif /* TESSALIN_H */
