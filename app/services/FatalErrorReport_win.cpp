#include "app/services/FatalErrorReport_win.h"

#include <windows.h>

#include "app/services/SetupLog_win.h"
#include "framework/FatalError.h"
#include "framework/GbkText_win.h"
#include "framework/MessageBox_win.h"
#include "install/Transaction.h"

namespace {

SetupLog* fatalLog = nullptr;
bool fatalBoxes = false;
int fatalLanguagePosition = 0;

void ReportFatalError(FatalError what) {
    // Files half moved are the worst the run could leave: they go back before anything else is done.
    if (install::Transaction* open = install::OpenTransaction()) {
        open->Rollback();
    }
    const char* text = what == FatalError::OutOfMemory ? OutOfMemoryText(fatalLanguagePosition)
                                                       : InternalErrorText(fatalLanguagePosition);
    if (fatalLog && fatalLog->IsOpen()) {
        fatalLog->Line(GbkToWide(text));
    }
    if (fatalBoxes) {
        ShowMessage(text);
    }
}

}  // namespace

void ReportFatalErrorsTo(SetupLog* log, bool boxes, int languagePosition) {
    fatalLog = log;
    fatalBoxes = boxes;
    fatalLanguagePosition = languagePosition;
    SetFatalErrorHandler(&ReportFatalError);
}
