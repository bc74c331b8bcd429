/* A C program built against tessalin.h and linked with the import library, as an add-in
 * author's own code would be. It calls exports of every result width and buffer rule and
 * exits nonzero on the first wrong answer. */
#include <stdio.h>
#include <string.h>

#include "tessalin.h"

int CxxClientCallsThrough(void);

static int g_failures = 0;

static void Check(int condition, const char* what) {
    if (!condition) {
        printf("FAILED: %s\n", what);
        ++g_failures;
    }
}

int main(void) {
    wchar_t buffer[TESSALIN_MAX_PATH];
    wchar_t folder[TESSALIN_MAX_PATH];
    char id[TESSALIN_SYNC_GROUP_ID_SIZE + 1];
    int32_t left = 7, top = 7, width = 7, height = 7;
    int32_t count, length;
    VARIANT empty;

    InitializeTessaline();
    ShutdownTessaline();

    /* Text out: a null buffer measures; the text is written whole with one NUL. */
    length = GetLocaleCaptionWS(0x0409, 12, L"Line<13><10>two", NULL);
    Check(length == 9, "GetLocaleCaptionWS measures with a null buffer");
    wmemset(buffer, L'#', 16);
    Check(GetLocaleCaptionWS(0x0409, 12, L"Line<13><10>two", buffer) == length &&
              wcscmp(buffer, L"Line\r\ntwo") == 0 && buffer[length + 1] == L'#',
          "GetLocaleCaptionWS writes the text and one NUL");
    Check(FormatLocaleCaptionWS(0, 1, L"%s1% and %s2%", buffer, L"this", NULL) == 9 &&
              wcscmp(buffer, L"this and ") == 0,
          "FormatLocaleCaptionWS fills both placeholders; null is the empty text");

    /* Truth values of both widths. */
    length = LCurDir(NULL);
    Check(length > 0 && LCurDir(folder) == length && folder[length] == L'\0',
          "LCurDir measures and writes the current directory");
    Check(LFolderExists(folder) == (TessalinBool16)-1, "LFolderExists is -1 in 16 bits");
    Check(LFileExists(folder) == 0, "LFileExists is false for a folder");
    Check(DeregisterSlideShowWindow(NULL) == 0, "DeregisterSlideShowWindow without a record");

    /* Relative paths and the 8-bit buffer. */
    Check(RelativePath(L"C:\\a\\b\\x.txt", L"C:\\a\\c\\y.txt", buffer) == 10 &&
              wcscmp(buffer, L"..\\c\\y.txt") == 0,
          "RelativePath");
    memset(id, '#', sizeof id);
    CreateNewSyncGroupId(id);
    Check(id[0] == '{' && id[37] == '}' && id[38] == '\0' && id[39] == '#',
          "CreateNewSyncGroupId writes 38 characters and a NUL");

    /* Monitors: out-parameters through int32_t pointers. */
    count = GetMonitorCount();
    Check(count >= 1, "GetMonitorCount");
    Check(GetMonitorInfo(1, &left, &top, &width, &height) == height && left == 0 && top == 0 &&
              width > 0,
          "GetMonitorInfo describes monitor 1 at the origin");
    left = 7;
    Check(GetMonitorInfo(count + 1, &left, &top, &width, &height) == count && left == 7,
          "GetMonitorInfo above the count writes nothing");

    memset(&empty, 0, sizeof empty); /* VT_EMPTY */
    Check(GetSSWHandle(&empty) == NULL, "GetSSWHandle without an object");
    Check(CxxClientCallsThrough(), "a C++ caller links against the same declarations");

    printf("%d failure(s)\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
