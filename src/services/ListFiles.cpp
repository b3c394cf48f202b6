#include "services/ListFiles.h"
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void ExitWithMessage(const char* message) {
    std::fprintf(stderr, "PebbleFrost: %s\n", message);
    std::exit(1); // process-exit clean-up of the singletons still runs
}

ListFileErrorHandler errorHandler = &ExitWithMessage;

void Fail(const std::string& message) {
    errorHandler(message.c_str());
}

struct File {
    explicit File(const char* path) : handle(std::fopen(path, "r")) {}
    ~File() {
        if (handle) std::fclose(handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    std::FILE* handle;
};

enum class Token { Ok, End, TooLong };

// Reads the next whitespace-separated token into out (capacity bytes, zero-terminated).
Token ReadToken(std::FILE* file, char* out, size_t capacity) {
    int c;
    do {
        c = std::fgetc(file);
    } while (c != EOF && std::isspace(static_cast<unsigned char>(c)));
    if (c == EOF) return Token::End;
    size_t length = 0;
    while (c != EOF && !std::isspace(static_cast<unsigned char>(c))) {
        if (length + 1 >= capacity) return Token::TooLong;
        out[length++] = static_cast<char>(c);
        c = std::fgetc(file);
    }
    out[length] = '\0';
    return Token::Ok;
}

bool ParseInt32(const char* text, int32_t& value) {
    errno = 0;
    char* end = nullptr;
    long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE) return false;
    if (parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

} // namespace

void ReportDataError(const char* message) {
    errorHandler(message);
}

void SetListFileErrorHandler(ListFileErrorHandler handler) {
    errorHandler = handler ? handler : &ExitWithMessage;
}

void ReadPathList(const char* fileName, int n, PathSlot* slots) {
    for (int i = 0; i < n; ++i)
        slots[i] = PathSlot{};
    File file(fileName);
    if (!file.handle) return Fail(std::string("cannot open list file '") + fileName + "'");
    for (int i = 0; i < n; ++i) {
        Token token = ReadToken(file.handle, slots[i].path, sizeof slots[i].path);
        if (token == Token::End) return; // a short list leaves the remaining slots empty
        if (token == Token::TooLong) {
            slots[i] = PathSlot{};
            return Fail(std::string("path ") + std::to_string(i + 1) + " in list file '" +
                        fileName + "' is longer than 69 characters");
        }
        for (char* p = slots[i].path; *p; ++p)
            if (*p == '\\') *p = '/';
    }
}

void ReadPropertyFile(const char* fileName, int k, int32_t* fields) {
    for (int i = 0; i < k; ++i)
        fields[i] = 0;
    File file(fileName);
    if (!file.handle) return Fail(std::string("cannot open property file '") + fileName + "'");
    char label[kMaxLabelLength + 1];
    char value[32];
    for (int i = 0; i < k; ++i) {
        Token token = ReadToken(file.handle, label, sizeof label);
        if (token == Token::End) return; // a short file leaves the remaining fields at 0
        if (token == Token::TooLong)
            return Fail(std::string("label ") + std::to_string(i + 1) + " in property file '" +
                        fileName + "' is longer than 19 characters");
        token = ReadToken(file.handle, value, sizeof value);
        if (token != Token::Ok || !ParseInt32(value, fields[i])) {
            fields[i] = 0;
            return Fail(std::string("value of '") + label + "' in property file '" + fileName +
                        "' is not an integer");
        }
    }
}

void ReadPropertyFiles(const PathSlot* slots, int n, int k, void* firstRecord, int stride) {
    for (int i = 0; i < n; ++i) {
        auto* fields = reinterpret_cast<int32_t*>(static_cast<char*>(firstRecord) + i * stride);
        if (slots[i].path[0] == '\0') {
            // A short list leaves empty slots: say which entry is missing.
            for (int f = 0; f < k; ++f)
                fields[f] = 0;
            return Fail("property file " + std::to_string(i + 1) + " of " + std::to_string(n) +
                        " is missing from its list (the list names only " + std::to_string(i) +
                        ")");
        }
        ReadPropertyFile(slots[i].path, k, fields);
    }
}
