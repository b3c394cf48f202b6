#pragma once
#include <string>
#include <vector>

// Where the game looks for its Data folder, in order: the working directory, the folder that
// holds the program, the installed data folder seen from the program's folder, the installed
// data folder as configured.
std::vector<std::string> DataFolderCandidates();

// The first candidate that holds a Data folder; "" when none does.
std::string FindDataFolder(const std::vector<std::string>& candidates);

// Makes the folder that holds Data the working directory (the data's paths are relative to it).
// False, after a message on stderr saying where it looked, when there is none.
bool EnterDataFolder();
