#include "bench/SyntheticTree.h"

namespace {

std::string Numbered(const char* prefix, int n)
{
    std::string digits = std::to_string(n);
    return prefix + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

} // namespace

void ForEachTreeEntry(const TreeShape& shape, const std::string& root,
                      const std::function<void(const std::string&)>& makeDirectory,
                      const std::function<void(const std::string&, const std::string&)>& makeFile)
{
    int leafNumber = 0;
    for (int t = 0; t < shape.top; ++t) {
        const std::string top = root + Numbered("top", t) + "\\";
        makeDirectory(top);
        for (int m = 0; m < shape.middle; ++m) {
            const std::string middle = top + Numbered("mid", m) + "\\";
            makeDirectory(middle);
            for (int l = 0; l < shape.leaves; ++l, ++leafNumber) {
                const std::string leaf = middle + Numbered("leaf", l) + "\\";
                makeDirectory(leaf);
                for (int f = 0; f < shape.filesPerLeaf; ++f)
                    makeFile(leaf + Numbered("file", f) + ".txt", "");
                if (leafNumber % 1000 == 7) {
                    makeFile(leaf + TargetName, "");
                    makeFile(leaf + ConfigName, ConfigContents);
                }
            }
        }
    }
}
