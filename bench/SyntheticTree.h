#pragma once
// The shape of the benchmark's directory tree: three levels of directories, files in
// the lowest, and in one leaf a copy of every infection's files, whatever the size.
#include <functional>
#include <string>

struct TreeShape {
    int top;            // directories below the root
    int middle;         // below each top directory
    int leaves;         // below each middle directory
    int filesPerLeaf;   // ordinary files in each leaf directory
    int Directories() const { return top + top * middle + top * middle * leaves; }
    int Files() const { return top * middle * leaves * filesPerLeaf; }
};

using FileMaker = std::function<void(const std::string& path, const std::string& contents)>;

// Calls makeDirectory and makeFile for every entry of the tree below root (which ends
// with a backslash), parents first.
void ForEachTreeEntry(const TreeShape& shape, const std::string& root,
                      const std::function<void(const std::string&)>& makeDirectory, const FileMaker& makeFile);

// Calls leaf with the path of every leaf directory (ending with a backslash).
void ForEachLeafDirectory(const TreeShape& shape, const std::string& root,
                          const std::function<void(const std::string&)>& leaf);

// The tree's copies of the files the five plans delete and of the configuration files
// they purge (their lines marked for every plan): what a run takes away, to be made again.
void ForEachInfectedFile(const TreeShape& shape, const std::string& root, const FileMaker& makeFile);
