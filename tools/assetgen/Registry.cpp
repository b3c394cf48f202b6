#include "Registry.h"

#include "Audio.h"
#include "Canvas.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

// Function-local so that groups in other files can register during static initialisation.
std::vector<const AssetGroup*>& GroupList() {
    static std::vector<const AssetGroup*> groups;
    return groups;
}

void MakeParent(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) throw GenError(file.parent_path().string() + ": cannot create folder: " + ec.message());
}

std::ifstream OpenText(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw GenError(file.string() + ": cannot open for reading");
    return in;
}

} // namespace

AssetGroup::AssetGroup(const char* groupName, GroupFn groupFn) : name(groupName), fn(groupFn) {
    GroupList().push_back(this);
}

std::vector<const AssetGroup*> RegisteredGroups() {
    std::vector<const AssetGroup*> groups = GroupList();
    std::sort(groups.begin(), groups.end(), [](const AssetGroup* a, const AssetGroup* b) {
        return std::strcmp(a->name, b->name) < 0;
    });
    return groups;
}

std::filesystem::path GenContext::Abs(const std::string& rel) const {
    return outRoot / rel;
}

void GenContext::Count(const std::filesystem::path& written) {
    std::error_code ec;
    auto size = std::filesystem::file_size(written, ec);
    if (ec) throw GenError(written.string() + ": not written: " + ec.message());
    ++filesWritten;
    bytesWritten += size;
}

void GenContext::Save(const Canvas& canvas, const std::string& rel) {
    auto file = Abs(rel);
    MakeParent(file);
    canvas.SavePng(file, pngCache);
    Count(file);
}

void GenContext::Save(const Pcm& pcm, const std::string& rel, float quality) {
    auto file = Abs(rel);
    MakeParent(file);
    WriteOgg(file, pcm, quality);
    Count(file);
}

std::vector<int> GenContext::ReadInts(const std::string& rel) const {
    auto file = Abs(rel);
    auto in = OpenText(file);
    std::vector<int> values;
    std::string label, value;
    while (in >> label) {
        if (!(in >> value)) throw GenError(file.string() + ": label '" + label + "' has no value");
        std::size_t used = 0;
        int v = 0;
        try {
            v = std::stoi(value, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != value.size())
            throw GenError(file.string() + ": value of '" + label +
                           "' is not an integer: " + value);
        values.push_back(v);
    }
    return values;
}

std::vector<std::string> GenContext::ReadTokens(const std::string& rel) const {
    auto in = OpenText(Abs(rel));
    std::vector<std::string> tokens;
    std::string token;
    while (in >> token) {
        std::replace(token.begin(), token.end(), '\\', '/');
        if (token.rfind("Data/", 0) == 0) token.erase(0, 5);
        tokens.push_back(token);
    }
    return tokens;
}
