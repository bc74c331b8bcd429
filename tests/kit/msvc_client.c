/* A program linked by Microsoft's linker conventions (lld-link) against Tessalin.lib, without
 * any C runtime: its own entry point calls one export and exits with its result, the number
 * of monitors. */
__declspec(dllimport) int GetMonitorCount(void);
__declspec(dllimport) __declspec(noreturn) void ExitProcess(unsigned exitCode);

void Start(void) {
    ExitProcess((unsigned)GetMonitorCount());
}
