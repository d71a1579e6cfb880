#pragma once
// The shape of the benchmark's directory tree: three levels of directories, files in
// the lowest, a few copies of the targets among them.
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

// Calls makeDirectory and makeFile (with its contents) for every entry of the tree
// below root (which ends with a backslash), parents first. Leaves numbered 7 hold a
// copy of "netol.scr" and of "mirc.ini".
void ForEachTreeEntry(const TreeShape& shape, const std::string& root,
                      const std::function<void(const std::string&)>& makeDirectory,
                      const std::function<void(const std::string&, const std::string&)>& makeFile);

constexpr const char* TargetName = "netol.scr";
constexpr const char* ConfigName = "mirc.ini";
constexpr const char* ConfigMarker = "mirc.hst";
constexpr const char* ConfigContents = "[mirc]\r\nn0=mirc.hst\r\nkeep\r\n";
