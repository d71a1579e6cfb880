#pragma once
// A purge's marker looked for in one line at a time, the line given in pieces of any size,
// so that no line has to be held whole.
#include "cleaning/Windows1252.h"

#include <cstddef>
#include <string>

// The marker is Windows-1252 text. It is looked for in a line as the line is written: in
// UTF-8 when the line is well-formed UTF-8 beyond ASCII (as current mIRC writes
// mirc.ini), byte for byte in Windows-1252 otherwise. A stray byte the worm wrote into a
// UTF-8 file makes its line ill-formed, so the marker still matches there.
class LineMarker {
public:
    explicit LineMarker(const std::string& windows1252);

    void BeginLine();
    void Add(const char* bytes, std::size_t size);
    // Whether the line given since BeginLine holds the marker.
    bool InLine() const;

private:
    // One form of the marker looked for across the pieces of a line.
    class Search {
    public:
        explicit Search(std::string pattern) : pattern_(std::move(pattern)) {}
        void Reset();
        void Add(const char* bytes, std::size_t size);
        bool Found() const { return found_; }

    private:
        std::string pattern_;
        std::string carry_;   // the end of the line so far, one byte shorter than the pattern
        bool found_ = false;
    };

    Search windows1252_;
    Search utf8_;
    Utf8Check utf8Check_;
    bool beyondAscii_ = false;
};
