#pragma once
// The numbers of the setup configuration "SetupCfg.ini".

#include <string>

namespace setupcfg {

inline constexpr int kFirstLanguage = 1;            // "简体中文"
inline constexpr int kLastConfiguredLanguage = 13;  // "Thai language"; "Other" (14) is never configured

// The leading decimal integer of a text, as atoi reads it: leading blanks skipped, an optional sign,
// the digits after it; no digits give 0. Out-of-range values saturate instead of overflowing.
int LeadingInteger(const std::string& text);

// The language index from the configured number: below 1 gives 1, above 13 gives 13.
int ClampLanguageIndex(int raw);

}  // namespace setupcfg
