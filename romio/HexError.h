#pragma once

#include <cstdint>
#include <string>

// The failures of the byte routines, each with its own number and a description a user understands.
// The numbers are the classic BASIC runtime's file-error numbers, which the "Error: N" titles of the
// boxes show; 64, a bad file name there, stands here for a write past the end, which that runtime
// has no number of its own for.
struct HexError
{
    std::int32_t number;
    std::string description;

    static HexError overflow() { return {6, "Overflow"}; }
    static HexError invalidHexDigits() { return {13, "Invalid hexadecimal digits"}; }
    static HexError badFileName() { return {52, "Bad file name"}; }
    static HexError fileNotFound() { return {53, "File not found"}; }
    static HexError ioError() { return {57, "Device I/O error"}; }
    static HexError diskFull() { return {61, "Disk full"}; }
    static HexError readPastEnd() { return {62, "Input past end of file"}; }
    static HexError badPosition() { return {63, "Bad file position"}; }
    static HexError writePastEnd() { return {64, "Write past end of file"}; }
    static HexError tooManyFiles() { return {67, "Too many files"}; }
    static HexError permissionDenied() { return {70, "Permission denied"}; }
    static HexError notRegularFile() { return {75, "Path/File access error: not a regular file"}; }
    static HexError anotherFile()
    {
        return {75, "Path/File access error: the path names another file than the one held open"};
    }
    static HexError pathNotFound() { return {76, "Path not found"}; }

    static HexError fromErrno(int error);
};
