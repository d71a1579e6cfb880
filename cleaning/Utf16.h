#pragma once
// UTF-8, the form paths take inside the program, next to UTF-16, the form the wide
// Win32 API takes.
#include <string>

// Decodes UTF-8. A surrogate written in three bytes (as names the file system holds with
// an unpaired surrogate come back from Utf16ToUtf8) decodes to that code unit; any other
// byte that is not part of a well-formed sequence is read as a Windows-1252 character,
// so 8-bit text passes through unchanged in meaning.
std::u16string Utf8ToUtf16(const std::string& utf8);

// Encodes UTF-16 as UTF-8; an unpaired surrogate becomes its own three-byte form, so a
// name the file system holds survives the round trip.
std::string Utf16ToUtf8(const std::u16string& utf16);
