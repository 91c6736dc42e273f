#pragma once
// A Windows command line split into its arguments by the rules every Windows program reads them with
// (those of CommandLineToArgvW), so "/DIR=C:\My Folder" may be quoted whole or only after the "=".
//
// - The program name, first, ends at the next quote when it starts with one, else at the first blank;
//   backslashes in it are plain characters.
// - Arguments are separated by spaces and tabs outside quotes; a quote starts or ends a quoted part
//   anywhere in an argument and is itself dropped.
// - Backslashes are plain characters unless a quote follows them: 2n backslashes and a quote give n
//   backslashes and the quote's usual effect, 2n+1 give n backslashes and a literal quote.
// - Inside quotes, a run of quotes counts in threes with the one that opened the quoted part: every
//   third gives a literal quote; a run that leaves one over keeps the part open, otherwise it is closed.

#include <string>
#include <vector>

namespace cmdline {

// Every argument, the program name first; an empty line gives no argument at all.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line);

}  // namespace cmdline
