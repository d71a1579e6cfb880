#pragma once
// File names as NTFS compares them: without regard to case.
#include <string>

// The name (UTF-8, or 8-bit Windows-1252 text) decoded to UTF-16 and upper-cased as NTFS
// does: ASCII, Latin-1 and Latin Extended-A letters, Greek, Cyrillic and the full-width
// Latin letters. Two names are the same file name when their folds are equal.
std::u16string FoldName(const std::string& name);
