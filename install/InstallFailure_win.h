#pragma once
// How an install branch fails: its result with the outcome and the cause, and the message that names a
// file whose read or write failed in the middle of a copy.

#include <string>

#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"

// `result` (which keeps what it has gathered so far) with `outcome` and its cause.
template <class Result>
Result Failed(Result result, typename Result::Outcome outcome, const ExtractFailure& failure = ExtractFailure()) {
    result.outcome = outcome;
    result.failure = failure;
    return result;
}

// The table's lead-in ("Can't read the file:" or "Can't write the file:"), the file's path and the
// system's reason, one per line. Each comes from its own code page (the lead-in GBK, the path the
// system's, the reason the system's own wide text), so the three read right on any Windows.
std::wstring FileFailureMessage(const install::MessageTable& table, const ExtractFailure& failure);
