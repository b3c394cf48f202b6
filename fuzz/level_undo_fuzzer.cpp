// Random play against the level, then the page-undo property. A world that does not come back
// is reported (the first few in full, and a count by differing field at exit) and ends the run;
// PEBBLEFROST_FUZZ_UNDO_STRICT=0 lets the run go on, to explore.
#include "FuzzInputs.h"
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

// The level targets differ only in where their play starts (level_walkthrough_fuzzer.cpp).
#ifndef PEBBLEFROST_LEVEL_UNDO
#define PEBBLEFROST_LEVEL_UNDO FuzzLevelUndo
#endif

namespace {
long differences = 0, inputs = 0;
bool strict = false;
std::map<std::string, long>* byField = nullptr;

void Summary() {
    std::fprintf(stderr, "level undo: %ld of %ld inputs did not give the world back\n", differences,
                 inputs);
    for (const auto& [field, count] : *byField)
        std::fprintf(stderr, "level undo field %s: %ld\n", field.c_str(), count);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* value = std::getenv("PEBBLEFROST_FUZZ_UNDO_STRICT");
    strict = !(value && value[0] == '0');
    byField = new std::map<std::string, long>; // read at exit, after static destructors
    std::atexit(Summary);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ++inputs;
    const std::string difference = PEBBLEFROST_LEVEL_UNDO(data, size);
    if (difference.empty()) return 0;
    if (++differences <= 5) std::fprintf(stderr, "level undo differs: %s\n", difference.c_str());
    ++(*byField)[difference.substr(0, difference.find(':'))];
    if (strict) std::abort();
    return 0;
}
