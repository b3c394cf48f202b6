#pragma once
#include "services/DataLimits.h"
#include <cstdint>

// A relative path read from a list file: at most 69 characters and the terminating zero.
struct PathSlot {
    char path[kDataLimits.pathLength + 1] = {};
};

constexpr int kMaxLabelLength = kDataLimits.labelLength;

// Reads exactly n whitespace-separated paths from fileName into slots[0..n-1] (cleared first).
// A file that cannot be opened, or a path longer than 69 characters, ends the process with a
// message on stderr naming the file and a non-zero exit status.
void ReadPathList(const char* fileName, int n, PathSlot* slots);

// For each of the n slots, reads k "label integer" pairs from the file the slot names into the k
// 32-bit fields that start at record i (records are stride bytes apart; fields are cleared
// first). A missing file, an over-long label or a value that is not an integer ends the process
// with a message naming the file (and the label).
void ReadPropertyFiles(const PathSlot* slots, int n, int k, void* firstRecord, int stride);

// The same for one file named directly.
void ReadPropertyFile(const char* fileName, int k, int32_t* fields);

// Where list-file errors go. The default prints the message to stderr and exits the process
// with status 1 (the usual process-exit clean-up still runs); tests install their own.
// Reports a problem found in the data (a message naming the file) through the same handler.
void ReportDataError(const char* message);

using ListFileErrorHandler = void (*)(const char* message);
void SetListFileErrorHandler(ListFileErrorHandler handler);
