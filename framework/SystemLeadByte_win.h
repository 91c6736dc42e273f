#pragma once
// Paths and values stay ANSI text in the system's code page, where a byte can start a two-byte
// character whose second byte looks like "\": walks through such text ask this before they split it.

// True when byte starts a two-byte character in the system's ANSI code page.
bool IsSystemLeadByte(unsigned char byte);
