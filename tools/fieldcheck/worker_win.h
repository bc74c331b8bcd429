// Each step runs in a worker process of its own, this program started again, so that a library
// that crashes or hangs in a step brings down only that worker. The check holds the report, the
// user's clipboard and the temporary folder, watches the worker, ends it when it stops
// answering, and writes what came of it.
#pragma once

#include <windows.h>

#include <string>

#include "frame/unique_resource_win.h"
#include "tools/fieldcheck/check.h"

namespace fieldcheck {

// How a worker's step ended, as the check saw it.
struct WorkerEnd {
    enum class Kind { kFinished, kFailed, kInterrupted };
    Kind kind = Kind::kFailed;    // failed: it crashed, ended early, gave no answer or never began
    std::size_t monitors = 0;     // as the library numbered them in the worker
    std::size_t windowsLeft = 0;  // windows of the check or the library left after the step
    bool freed = true;            // the library gone after FreeLibrary
};

class Workers {
  public:
    // The workers get the options, the temporary folder and the files' prefix; `interrupt` is
    // signalled when the person stops the check.
    Workers(const Options& options, const std::wstring& tempFolder, const std::wstring& outPrefix,
            HANDLE interrupt);

    // Runs the step in a new worker, its lines going into `report`; a step that does not
    // finish gets its FAIL line there too.
    WorkerEnd Run(const Step& step, Report& report);

  private:
    std::wstring arguments_;
    HANDLE interrupt_;
    // Every worker belongs to it, and with the worker whatever it started: ending the job ends
    // them all, as closing the check's handle to it does when the check itself is ended.
    tessalin::UniqueHandle job_;
};

// The worker's side: `fieldcheck --worker STEP PIPE TEMPFOLDER PREFIX [OPTIONS]`, with the
// options parsed already.
int RunWorker(const std::wstring& stepName, HANDLE pipe, const std::wstring& tempFolder,
              const std::wstring& outPrefix, const Options& options);

// A handle that the check gave on the command line, as a number.
HANDLE HandleArgument(const wchar_t* text);

}  // namespace fieldcheck
