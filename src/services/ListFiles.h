#pragma once
#include "services/DataLimits.h"
#include <cstdint>
#include <string_view>

// A relative path read from a list file: at most 69 characters and the terminating zero.
struct PathSlot {
    char path[kDataLimits.pathLength + 1] = {};
};

constexpr int kMaxLabelLength = kDataLimits.labelLength;

// Reads exactly n whitespace-separated paths from fileName into slots[0..n-1] (cleared first).
// A file that cannot be opened or is not a regular file, a path longer than 69 characters, one
// that is absolute or climbs out of the Data folder, or a list with fewer than n paths ends the
// process with a message on stderr naming the file (and the entry) and a non-zero exit status.
void ReadPathList(const char* fileName, int n, PathSlot* slots);

// For each of the n slots, reads k "label integer" pairs from the file the slot names into the k
// 32-bit fields that start at record i (records are stride bytes apart; fields are cleared
// first). A missing file, an over-long label or one that is not UTF-8 text, or a value that is
// not an integer ends the process with a message naming the file (and the label). With ranges
// (k entries), a value outside its range is refused the same way, naming what it is.
void ReadPropertyFiles(const PathSlot* slots, int n, int k, void* firstRecord, int stride,
                       const PropertyField* ranges = nullptr);

// The same for one file named directly.
void ReadPropertyFile(const char* fileName, int k, int32_t* fields,
                      const PropertyField* ranges = nullptr);

// Why a list entry may not be used as a path ("" when it may): absolute, or climbing out of the
// Data folder with "..".
const char* UnsafePathReason(std::string_view path);
// True when text is well-formed UTF-8 without NUL bytes.
bool IsCleanUtf8(std::string_view text);

// Where list-file errors go. The default prints the message to stderr and exits the process
// with status 1 (the usual process-exit clean-up still runs); tests install their own.
// Reports a problem found in the data (a message naming the file) through the same handler.
void ReportDataError(const char* message);

using ListFileErrorHandler = void (*)(const char* message);
void SetListFileErrorHandler(ListFileErrorHandler handler);
