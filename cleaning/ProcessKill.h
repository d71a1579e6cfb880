#pragma once
// Terminating running processes by image name.
#include "PlatformServices.h"

#include <string>

// Upper-cases the ASCII letters a to z only; every other byte stays as it is.
std::string AsciiUpper(std::string text);

// What follows the last "\" or ":" of exe, or all of exe.
std::string FileNamePart(const std::string& exe);

// Whether a process's executable text (a full path or a bare name) names imageName.
bool ImageNameMatches(const std::string& exe, const std::string& imageName);

// Terminates every running process whose image is imageName, in snapshot order;
// a process that cannot be opened or ended is passed over.
void KillProcessByName(PlatformServices& platform, const std::string& imageName);
