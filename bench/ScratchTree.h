#pragma once
// A real directory tree for the Win32 benchmark, made with plain Win32 calls, and the
// bare find enumeration the runs are measured against.
#include "bench/SyntheticTree.h"

#include <cstddef>
#include <string>

// A file with these bytes, made anew; false when it could not be written.
bool MakeScratchFile(const std::string& path, const std::string& contents);
// Creates the tree below root (which ends with a backslash); false when anything failed.
bool CreateScratchTree(const TreeShape& shape, const std::string& root);
// root and a chain of nested directories below it, depth levels deep.
bool CreateDirectoryChain(const std::string& root, int depth);
// FindFirstFileW/FindNextFileW on \\?\ paths, as the program calls them, over every
// directory below root (ASCII, ending with a backslash): the entries seen.
std::size_t EnumerateWithFind(const std::string& root);
