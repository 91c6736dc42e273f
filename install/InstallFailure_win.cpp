#include "install/InstallFailure_win.h"

#include "framework/File_win.h"
#include "framework/GbkText_win.h"

std::wstring FileFailureMessage(const install::MessageTable& table, const ExtractFailure& failure) {
    const install::MessageId leadIn =
        failure.kind == ExtractFailure::Kind::Read ? install::MsgReadFailed : install::MsgWriteFailed;
    return GbkToWide(table.Text(leadIn)) + L"\r\n" + AnsiToWide(failure.path.c_str()) + L"\r\n" +
           SystemErrorTextWide(failure.systemError);
}
