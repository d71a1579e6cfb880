#include "bench/SyntheticTree.h"

namespace {

std::string Numbered(const char* prefix, int n)
{
    std::string digits = std::to_string(n);
    return prefix + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

const char* const DeletedFiles[] = {"netol.scr",    "mirc.hst",     "pynkic~1.scr", "\xC4",      "acdt.dat",
                                    "pddt.dat",     "sysdemio.exe", "systemio.exe", "xcvbnm.exe", "server.ini"};
const char* const ConfigFiles[] = {"mirc.ini", "script.ini"};
const char* const ConfigContents = "[mirc]\r\nn0=mirc.hst\r\nn1=\xC4\r\nn2=server.ini\r\nkeep\r\n";

// Calls leaf for every leaf directory with its number.
template <typename Leaf>
void ForEachLeaf(const TreeShape& shape, const std::string& root,
                 const std::function<void(const std::string&)>& makeDirectory, Leaf leaf)
{
    int leafNumber = 0;
    for (int t = 0; t < shape.top; ++t) {
        const std::string top = root + Numbered("top", t) + "\\";
        makeDirectory(top);
        for (int m = 0; m < shape.middle; ++m) {
            const std::string middle = top + Numbered("mid", m) + "\\";
            makeDirectory(middle);
            for (int l = 0; l < shape.leaves; ++l, ++leafNumber)
                leaf(middle + Numbered("leaf", l) + "\\", leafNumber);
        }
    }
}

void MakeInfectedFiles(const std::string& leaf, int leafNumber, const FileMaker& makeFile)
{
    if (leafNumber != 7)
        return;
    for (const char* name : DeletedFiles)
        makeFile(leaf + name, "");
    for (const char* name : ConfigFiles)
        makeFile(leaf + name, ConfigContents);
}

} // namespace

void ForEachTreeEntry(const TreeShape& shape, const std::string& root,
                      const std::function<void(const std::string&)>& makeDirectory, const FileMaker& makeFile)
{
    ForEachLeaf(shape, root, makeDirectory, [&](const std::string& leaf, int leafNumber) {
        makeDirectory(leaf);
        for (int f = 0; f < shape.filesPerLeaf; ++f)
            makeFile(leaf + Numbered("file", f) + ".txt", "");
        MakeInfectedFiles(leaf, leafNumber, makeFile);
    });
}

void ForEachInfectedFile(const TreeShape& shape, const std::string& root, const FileMaker& makeFile)
{
    ForEachLeaf(shape, root, [](const std::string&) {},
                [&](const std::string& leaf, int leafNumber) { MakeInfectedFiles(leaf, leafNumber, makeFile); });
}

void ForEachLeafDirectory(const TreeShape& shape, const std::string& root,
                          const std::function<void(const std::string&)>& leaf)
{
    ForEachLeaf(shape, root, [](const std::string&) {}, [&](const std::string& path, int) { leaf(path); });
}
