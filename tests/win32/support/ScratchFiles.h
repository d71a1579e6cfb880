#pragma once
// Plain Win32 helpers that make and inspect the scratch tree and the Run key of the
// cleaning tests, kept apart from the code under test.
#include <cstdint>
#include <string>

void MakeDirectory(const std::string& path, std::uint32_t attributes = 0);
void MakeFile(const std::string& path, const std::string& contents = {}, std::uint32_t attributes = 0);
bool PathExists(const std::string& path);
std::string ReadWhole(const std::string& path);
std::uint32_t AttributesOf(const std::string& path);
// Removes root (ending with a backslash) and everything below it, whatever its attributes,
// read-only Unix folders included.
void RemoveScratchTree(const std::string& root);
// Sets or clears the write bits of the Unix folder behind a directory: the only way to
// give a directory the read-only attribute under Wine.
bool SetUnixWritable(const std::string& dir, bool writable);

// Values of HKCU\software\microsoft\windows\currentversion\run.
bool ReadRunValue(const std::string& name, std::string& data);
void WriteRunValue(const std::string& name, const std::string& data);
void DeleteRunValue(const std::string& name);
