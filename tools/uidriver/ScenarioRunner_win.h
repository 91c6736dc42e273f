#pragma once
// Runs a UI scenario: one command per line, words separated by blanks, "quoted" words with \n, \",
// \\ and \xHH escapes, ${NAME} replaced by the environment variable, # starts a comment. Texts are
// UTF-8 and compared with what the windows show. The first failed step ends the run; the setup is
// always ended with it. The commands:
//
//   stage DIR [EXE_NAME]      empty DIR and copy ${VT_SETUP_EXE} into it (as VtSetup.exe by default);
//                             "A|B" there names several builds, of which the newest is copied
//   use DIR [EXE_NAME]        run the setup that lies in DIR as it is; skip the scenario without it
//   write NAME TEXT           write TEXT (its bytes as given) to NAME in the staged folder
//   wait-file NAME [MS]       wait until NAME exists in the staged folder (a test script's signal)
//   start [ARG...]            start the staged setup, the words after it as its command line
//   window CAPTION [MS]       wait for a window of the setup with that caption; it becomes current
//   select ID POS             select list entry POS and notify the window as a user's choice does
//   click ID | check ID 0|1 | type ID TEXT | syscommand N
//   mouse-click ID            press and release the mouse over a part of control ID that no other
//                             window of the setup covers, as a person's click comes in
//   move DX DY                move the current window by so many pixels, without waiting for it
//   expect-caption TEXT | expect-text ID TEXT | expect-enabled ID 0|1 | expect-visible ID 0|1
//   expect-checked ID 0|1 | expect-selection ID POS | expect-entry ID POS TEXT
//   wait-text-starts ID TEXT [MS]   wait until control ID's text begins with TEXT (default 30 s)
//   expect-window-enabled 0|1    the current window takes input (it does not while a command runs)
//   expect-entries ID TEXT...    (an expectation may take 2 s to come true: posted commands settle;
//                                a window too busy to answer is waited for up to 30 s)
//   msgbox TEXT [TITLE] [MS]  wait for a message box, compare its text (and title), press OK
//   msgbox-starts TEXT [TITLE] [MS]   the same, the text only has to begin with TEXT
//   msgbox-open TEXT [TITLE] [MS]   wait for a message box with that text and leave it open
//   answer ID                 press button ID (4 Retry, 2 Cancel) of the box msgbox-open left open
//   no-msgbox MS              fail if a message box shows within MS
//   no-window CAPTION [MS]    fail if a window of the setup with that caption shows (within MS)
//   expect-progress ID MIN MAX | expect-text-starts ID TEXT
//   progress-rises ID [MS]    the progress bar's position, read twice, has grown (within MS)
//   closed [MS] | exited [MS] the current window closes | the setup ends
//   exit-code CODE [MS]       the setup ends with that exit code
//   screenshot FILE.bmp | print ID | sleep MS
//
// VT_UI_TRACE=1 prints each step with the time it took.

#include <string>

namespace uidriver {

inline constexpr int kScenarioSkipped = 77;

// Returns 0 when every step passed, kScenarioSkipped when a "use" found no setup, 1 otherwise (the
// failure is printed to stdout).
int RunScenarioFile(const std::string& path);

}  // namespace uidriver
