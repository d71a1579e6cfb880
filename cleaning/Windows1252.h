#pragma once
// Windows-1252, the code page of the program's texts, next to Unicode.
#include <cstddef>
#include <string>

// The Unicode character of a Windows-1252 byte. The five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// number, as Windows converts them.
char16_t Windows1252Character(unsigned char byte);

// Windows-1252 text in UTF-8.
std::string Windows1252ToUtf8(const std::string& text);

// UTF-8 text (a path, to be shown in a Report line or a message) in Windows-1252: a
// character the code page lacks becomes its closest letter where it has one (the Latin
// letters with other accents, the full-width forms) and "?" otherwise. Bytes that are
// not well-formed UTF-8 pass through as the Windows-1252 text they are.
std::string Utf8ToWindows1252BestFit(const std::string& utf8);

// Whether bytes are well-formed UTF-8: no stray or missing continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(const std::string& bytes);

// The same check over text that comes in pieces of any size.
class Utf8Check {
public:
    void Add(const char* bytes, std::size_t size);
    // Whether everything added so far is well-formed, with no sequence left open.
    bool WellFormed() const { return !broken_ && pending_ == 0; }

private:
    int pending_ = 0;                           // continuation bytes still due
    unsigned char low_ = 0x80, top_ = 0xBF;     // the range the next one must lie in
    bool broken_ = false;
};
