// Random play against the level, then the page-undo property. A world that does not come back
// is reported (the first few, and a count at exit); it ends the run only with
// PEBBLEFROST_FUZZ_UNDO_STRICT=1, while the level's undo is still being mended.
#include "FuzzInputs.h"
#include <cstdio>
#include <cstdlib>

namespace {
long differences = 0, inputs = 0;
bool strict = false;
void Summary() {
    std::fprintf(stderr, "level undo: %ld of %ld inputs did not give the world back\n",
                 differences, inputs);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* value = std::getenv("PEBBLEFROST_FUZZ_UNDO_STRICT");
    strict = value && value[0] == '1';
    std::atexit(Summary);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ++inputs;
    const std::string difference = FuzzLevelUndo(data, size);
    if (difference.empty()) return 0;
    if (++differences <= 5) std::fprintf(stderr, "level undo differs: %s\n", difference.c_str());
    if (strict) std::abort();
    return 0;
}
