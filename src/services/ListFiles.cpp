#include "services/ListFiles.h"
#include "platform/RegularFile.h"
#include <algorithm>
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
    explicit File(const char* path) : handle(OpenRegularFile(path, problem)) {}
    ~File() {
        if (handle) std::fclose(handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    std::string problem;
    std::FILE* handle;
};

enum class Token { Ok, End, TooLong, NotText };

// Reads the next whitespace-separated token into out (capacity bytes, zero-terminated). A token
// holding a NUL byte or bytes that are not UTF-8 is NotText: it would be cut short or shown
// garbled in messages.
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
    return IsCleanUtf8(std::string_view(out, length)) ? Token::Ok : Token::NotText;
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

std::string Quoted(const char* name) {
    return std::string("'") + name + "'";
}

} // namespace

bool IsCleanUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead == 0) return false;
        // Length and smallest allowed value by lead byte; overlong forms and surrogates refused.
        int more;
        uint32_t code, least;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            more = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i <= size_t(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += size_t(more) + 1;
    }
    return true;
}

const char* UnsafePathReason(std::string_view path) {
    if (path.empty()) return "is empty";
    if (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'))
        return "is absolute";
    // Entries are relative to the folder that holds Data; a ".." that leaves the first folder
    // of the path can reach anything on the machine.
    int depth = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (--depth < 1) return "climbs out of the Data folder";
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return "";
}

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
    if (!file.handle)
        return Fail("cannot open list file " + Quoted(fileName) + ": " + file.problem);
    for (int i = 0; i < n; ++i) {
        const std::string entry = "path " + std::to_string(i + 1) + " of " + std::to_string(n) +
                                  " in list file " + Quoted(fileName);
        Token token = ReadToken(file.handle, slots[i].path, sizeof slots[i].path);
        if (token == Token::End)
            return Fail(entry + " is missing (the list names " + std::to_string(i) + ")");
        if (token == Token::TooLong) {
            slots[i] = PathSlot{};
            return Fail(entry + " is longer than 69 characters");
        }
        if (token == Token::NotText) {
            slots[i] = PathSlot{};
            return Fail(entry + " holds a NUL byte or is not UTF-8 text");
        }
        for (char* p = slots[i].path; *p; ++p)
            if (*p == '\\') *p = '/';
        if (const char* reason = UnsafePathReason(slots[i].path); *reason) {
            const std::string path = slots[i].path;
            slots[i] = PathSlot{};
            return Fail(entry + " (" + Quoted(path.c_str()) + ") " + reason);
        }
    }
}

void ReadPropertyFile(const char* fileName, int k, int32_t* fields, const PropertyField* ranges) {
    for (int i = 0; i < k; ++i)
        fields[i] = 0;
    File file(fileName);
    if (!file.handle)
        return Fail("cannot open property file " + Quoted(fileName) + ": " + file.problem);
    char label[kMaxLabelLength + 1];
    char value[32];
    for (int i = 0; i < k; ++i) {
        Token token = ReadToken(file.handle, label, sizeof label);
        if (token == Token::End) return; // a short file leaves the remaining fields at 0
        if (token == Token::TooLong)
            return Fail("label " + std::to_string(i + 1) + " in property file " + Quoted(fileName) +
                        " is longer than 19 characters");
        if (token == Token::NotText)
            return Fail("label " + std::to_string(i + 1) + " in property file " + Quoted(fileName) +
                        " holds a NUL byte or is not UTF-8 text");
        token = ReadToken(file.handle, value, sizeof value);
        if (token != Token::Ok || !ParseInt32(value, fields[i])) {
            fields[i] = 0;
            return Fail("value of " + Quoted(label) + " in property file " + Quoted(fileName) +
                        " is not an integer");
        }
        if (!ranges || ranges[i].range.Holds(fields[i])) continue;
        const ValueRange range = ranges[i].range;
        Fail("property file " + Quoted(fileName) + ": " + ranges[i].what + " " +
             std::to_string(fields[i]) + " is outside " + std::to_string(range.low) + ".." +
             std::to_string(range.high) + " (label " + Quoted(label) + ")");
        // When the handler returns, the value is kept in range so nothing overflows with it.
        fields[i] = std::clamp(fields[i], range.low, range.high);
    }
}

void ReadPropertyFiles(const PathSlot* slots, int n, int k, void* firstRecord, int stride,
                       const PropertyField* ranges) {
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
        ReadPropertyFile(slots[i].path, k, fields, ranges);
    }
}
