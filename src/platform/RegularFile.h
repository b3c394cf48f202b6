#pragma once
#include <cstdio>
#include <string>

// Opens a data file for binary reading only when it is a regular file. A FIFO, device or folder
// in its place is refused without blocking (a FIFO with no writer would stall the game), as is a
// missing file; problem then says why, without the file's name. The caller closes the file.
std::FILE* OpenRegularFile(const char* path, std::string& problem);
