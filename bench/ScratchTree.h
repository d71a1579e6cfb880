#pragma once
// A real directory tree for the Win32 benchmark, made and removed with plain Win32
// calls, and the bare find enumeration the sweep is measured against.
#include "bench/SyntheticTree.h"

#include <cstddef>
#include <string>

// Creates the tree below root (which ends with a backslash); false when anything failed.
bool CreateScratchTree(const TreeShape& shape, const std::string& root);
// root and a chain of nested directories below it, depth levels deep.
bool CreateDirectoryChain(const std::string& root, int depth);
// FindFirstFileW/FindNextFileW on \\?\ paths, as the program calls them, over every
// directory below root (ASCII); the entries seen. With a
// probe name, each directory also gets the sweep's two other calls for that name: a
// lookup of it and an attempt to delete it.
std::size_t EnumerateWithFind(const std::string& root, const char* probeName = nullptr);
