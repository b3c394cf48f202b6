// Damaged and hostile data: special files in place of data files, paths leaving Data, short
// lists, values and labels no data set has, PNG and Ogg headers that lie, and no Data at all.
// Each is refused with a message naming the file, never a crash, a hang or a huge allocation.
#include "Checksums.h"
#include "TestSupport.h"
#include "app/DataFolder.h"
#include "app/Game.h"
#include "platform/OggDecode.h"
#include "platform/PngDecode.h"
#include "services/ListFiles.h"
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#ifndef _WIN32 // FIFOs and short temporary folders under /tmp
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kHostile = std::string(PEBBLEFROST_TEST_SOURCE_DIR) + "/hostile/";

// Text matched literally by a death test's regular expression (a Windows path has backslashes).
std::string RegexQuote(const std::string& text) {
    std::string quoted;
    for (char c : text) {
        if (std::string("\\.^$*+?()[]{}|").find(c) != std::string::npos) quoted += '\\';
        quoted += c;
    }
    return quoted;
}

// A fresh folder with a short path (list entries must fit a PathSlot).
std::string ShortTempDir(const char* prefix) {
#ifdef _WIN32
    return MakeTempDir(prefix);
#else
    std::string name = std::string("/tmp/") + prefix + "XXXXXX";
    return mkdtemp(name.data());
#endif
}

struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void ThrowDataError(const char* message) {
    throw DataError(message);
}
std::string ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const DataError& e) {
        return e.what();
    }
    return "";
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

#ifndef _WIN32
// A loader stuck opening a FIFO with no writer would hang the test: after a few seconds this
// opens the writing end (the stuck open returns, the read sees an empty file) and remembers it.
class FifoWatchdog {
  public:
    explicit FifoWatchdog(std::string fifo) : path(std::move(fifo)), thread([this] { Run(); }) {}
    ~FifoWatchdog() {
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        wake.notify_all();
        thread.join();
    }
    std::atomic<bool> rescued{false};

  private:
    void Run() {
        std::unique_lock lock(mutex);
        if (wake.wait_for(lock, std::chrono::seconds(3), [this] { return done; })) return;
        int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0) return; // nobody was waiting
        rescued = true;
        ::close(fd);
    }
    std::string path;
    std::mutex mutex;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};
#endif

class HostileTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = ShortTempDir("pfh");
        SetListFileErrorHandler(&ThrowDataError);
    }
    void TearDown() override {
        SetListFileErrorHandler(nullptr);
        fs::remove_all(dir);
    }
    std::string Write(const std::string& name, const std::string& text) {
        WriteBytes(dir + "/" + name, text);
        return dir + "/" + name;
    }
    std::string dir;
    static inline std::vector<std::string> collected; // messages when the reader goes on
};

#ifndef _WIN32 // no FIFOs on Windows: the Linux build checks special files
TEST_F(HostileTextTest, FifosAndFoldersInPlaceOfListOrPropertyFilesAreRefusedWithoutBlocking) {
    const std::string fifo = dir + "/fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = dir + "/folder.txt";
    fs::create_directory(folder);
    PathSlot slots[2];
    int32_t fields[2];
    for (const std::string& file : {fifo, folder}) {
        FifoWatchdog watchdog(fifo);
        const std::string list = ErrorOf([&] { ReadPathList(file.c_str(), 2, slots); });
        const std::string props = ErrorOf([&] { ReadPropertyFile(file.c_str(), 2, fields); });
        EXPECT_FALSE(watchdog.rescued) << "opening " << file << " blocked";
        for (const std::string& message : {list, props}) {
            EXPECT_NE(message.find(file), std::string::npos) << message;
            EXPECT_NE(message.find(file == fifo ? "pipe" : "folder"), std::string::npos) << message;
        }
    }
}
#endif

TEST_F(HostileTextTest, ListEntriesOutsideDataAreRefusedNamingListAndEntry) {
    PathSlot slots[2];
    for (const char* bad :
         {"../../etc/passwd", "/proc/self/status", "Data/../../etc/passwd",
          "Data\\..\\..\\secret.txt", "C:\\Windows\\win.ini", "\\\\host\\share"}) {
        const std::string list = Write("list.txt", std::string("Data/ok.png\n") + bad + "\n");
        const std::string message = ErrorOf([&] { ReadPathList(list.c_str(), 2, slots); });
        EXPECT_NE(message.find(list), std::string::npos) << bad << ": " << message;
        EXPECT_NE(message.find("path 2 of 2"), std::string::npos) << bad << ": " << message;
        EXPECT_STREQ(slots[1].path, "") << "a refused path is not kept";
    }
    // Going down and up inside Data is harmless.
    const std::string list = Write("fine.txt", "Data/image/../image/a.png ./Data/b.png\n");
    EXPECT_EQ(ErrorOf([&] { ReadPathList(list.c_str(), 2, slots); }), "");
    EXPECT_STREQ(slots[0].path, "Data/image/../image/a.png");
}

TEST_F(HostileTextTest, EmptyAndShortPathListsNameTheListAndTheMissingEntry) {
    PathSlot slots[15];
    const std::string empty = Write("empty.txt", "\n  \n");
    std::string message = ErrorOf([&] { ReadPathList(empty.c_str(), 15, slots); });
    EXPECT_NE(message.find(empty), std::string::npos) << message;
    EXPECT_NE(message.find("path 1 of 15 "), std::string::npos) << message;
    EXPECT_NE(message.find("missing"), std::string::npos) << message;

    const std::string shortList = Write("short.txt", "a.png b.png c.png\n");
    message = ErrorOf([&] { ReadPathList(shortList.c_str(), 15, slots); });
    EXPECT_NE(message.find(shortList), std::string::npos) << message;
    EXPECT_NE(message.find("path 4 of 15 "), std::string::npos) << message;
    EXPECT_STREQ(slots[2].path, "c.png");
    EXPECT_STREQ(slots[3].path, "");
}

TEST_F(HostileTextTest, ValuesOutsideTheirRangesNameFileWhatAndLabel) {
    namespace fields = property_fields;
    int32_t tear[5];
    const std::string extremes = Write("extremes.txt", "x -2147483648\ny 2147483647\nwidth 40\n"
                                                       "height 20\nstep 2147483647\n");
    SetListFileErrorHandler([](const char* m) { HostileTextTest::collected.push_back(m); });
    collected.clear();
    ReadPropertyFile(extremes.c_str(), 5, tear, fields::kTear);
    ASSERT_EQ(collected.size(), 3u);
    EXPECT_NE(collected[0].find(extremes), std::string::npos) << collected[0];
    EXPECT_NE(collected[0].find("x -2147483648 is outside -100000..100000 (label 'x')"),
              std::string::npos)
        << collected[0];
    EXPECT_NE(collected[1].find("y 2147483647"), std::string::npos) << collected[1];
    EXPECT_NE(collected[2].find("step 2147483647 is outside -1000..1000 (label 'step')"),
              std::string::npos)
        << collected[2];
    // Kept inside the range when the handler lets the reader go on: no overflow downstream.
    EXPECT_EQ(tear[0], -100000);
    EXPECT_EQ(tear[1], 100000);
    EXPECT_EQ(tear[4], 1000);

    // The edges themselves are fine.
    collected.clear();
    const std::string edges = Write("edges.txt", "x -100000\ny 100000\nw 4096\nh 1\nstep -1000\n");
    ReadPropertyFile(edges.c_str(), 5, tear, fields::kTear);
    EXPECT_TRUE(collected.empty()) << collected.front();
    // Level records may have no frames at all; bag tearing strips may not.
    int32_t coll[6], tearing[5];
    ReadPropertyFile(Write("coll.txt", "x 1 y 2 w 3 h 4 frames 0 step 20").c_str(), 6, coll,
                     fields::kColl);
    EXPECT_TRUE(collected.empty());
    ReadPropertyFile(Write("tearing.txt", "x 1 y 2 w 3 h 4 frames 0").c_str(), 5, tearing,
                     fields::kTearing);
    ASSERT_EQ(collected.size(), 1u);
    EXPECT_NE(collected[0].find("frame count 0 is outside 1..256"), std::string::npos);
}

TEST_F(HostileTextTest, LabelsWithNulOrBytesThatAreNotUtf8AreRefused) {
    int32_t fields[2];
    for (const std::string& label :
         {std::string("x\0y", 3), std::string("\xff\xfe"), std::string("\xc0\xaf"),
          std::string("\xe2\x82"), std::string("\xed\xa0\x80")}) {
        const std::string file = Write("label.txt", "a 1\n" + label + " 2\n");
        const std::string message = ErrorOf([&] { ReadPropertyFile(file.c_str(), 2, fields); });
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find("label 2"), std::string::npos) << message;
        EXPECT_NE(message.find("UTF-8"), std::string::npos) << message;
    }
    const std::string fine = Write("fine.txt", "gr\xc3\xb6\xc3\x9f\x65 1\n\xe2\x86\x92 2\n");
    EXPECT_EQ(ErrorOf([&] { ReadPropertyFile(fine.c_str(), 2, fields); }), "");
    EXPECT_EQ(fields[1], 2);
}

class HostilePictureTest : public HeadlessTest {};

TEST_F(HostilePictureTest, SizesAreCheckedFromTheHeaderBeforeAnyPixelIsDecoded) {
    std::string error;
    DecodedPng picture;
    // 41 bytes that declare 32918 x 64536: 8 GB of pixels, 4.2 GB once the size wraps in 32 bits.
    EXPECT_FALSE(DecodePng((kHostile + "huge_header.png").c_str(), 4096, picture, error));
    EXPECT_NE(error.find("32918 x 64536"), std::string::npos) << error;
    EXPECT_TRUE(picture.rgba.empty());
    EXPECT_FALSE(DecodePng((kHostile + "wide_20000.png").c_str(), 4096, picture, error));
    EXPECT_NE(error.find("20000 x 20000"), std::string::npos) << error;
    EXPECT_EQ(LoadTestTexture(kHostile + "huge_header.png"), nullptr);
    EXPECT_EQ(LoadTestTexture(kHostile + "wide_20000.png"), nullptr);

    // 4096 pixels a side at most, whatever the renderer could take; the renderer's own maximum
    // when it is smaller.
    ASSERT_TRUE(WriteSolidPng(TempPath("wide.png"), 4097, 1, kRed));
    ASSERT_TRUE(WriteSolidPng(TempPath("edge.png"), 4096, 1, kRed));
    EXPECT_EQ(LoadTestTexture(TempPath("wide.png")), nullptr);
    Texture* edge = LoadTestTexture(TempPath("edge.png"));
    EXPECT_NE(edge, nullptr);
    ReleaseTexture(edge);
    EXPECT_FALSE(DecodePng(TempPath("edge.png").c_str(), 2048, picture, error));
}

#ifndef _WIN32 // no FIFOs on Windows: the Linux build checks special files
TEST_F(HostilePictureTest, TruncatedFifoAndFolderPicturesAreRefused) {
    std::string error;
    DecodedPng picture;
    EXPECT_FALSE(DecodePng((kHostile + "truncated.png").c_str(), 4096, picture, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(LoadTestTexture(kHostile + "truncated.png"), nullptr);

    const std::string fifo = TempPath("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(TempPath("folder.png"));
    FifoWatchdog watchdog(fifo);
    EXPECT_EQ(LoadTestTexture(fifo), nullptr);
    EXPECT_FALSE(DecodePng(fifo.c_str(), 4096, picture, error));
    EXPECT_NE(error.find("pipe"), std::string::npos) << error;
    EXPECT_FALSE(DecodePng(TempPath("folder.png").c_str(), 4096, picture, error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
    EXPECT_FALSE(watchdog.rescued) << "opening a FIFO picture blocked";
}
#endif

class HostileClipTest : public HeadlessTest {
  protected:
    // A real clip whose identification header then claims another rate (checksum mended).
    std::string ClipClaimingRate(uint32_t rate) {
        const std::string path = TempPath("rate" + std::to_string(rate) + ".ogg");
        EXPECT_TRUE(WriteTestOgg(path, 1, 44100, 4410));
        std::string bytes = ReadBytes(path);
        const size_t packet = 27 + uint8_t(bytes[26]);
        EXPECT_EQ(bytes.compare(packet, 7, "\x01vorbis"), 0);
        for (int k = 0; k < 4; ++k)
            bytes[packet + 12 + k] = char(rate >> (8 * k));
        checksums::FixOggPages(bytes);
        WriteBytes(path, bytes);
        return path;
    }
};

TEST_F(HostileClipTest, RatesAndChannelCountsOutsideTheLimitsAreRefusedNamingTheFile) {
    CSound clip;
    ASSERT_EQ(clip.OnCreate(window), 1);
    DecodedOgg decoded;
    std::string error;
    for (uint32_t rate : {1u, 7999u, 192001u, 4000000000u}) {
        const std::string path = ClipClaimingRate(rate);
        error.clear();
        EXPECT_EQ(DecodeOgg(path.c_str(), decoded, error), DecodeResult::NotVorbis) << rate;
        EXPECT_NE(error.find(fs::path(path).filename().string()), std::string::npos) << error;
        // (A rate beyond 2^31 is already refused by the decoder where its `long` is 32 bits.)
        EXPECT_TRUE(error.find("8000 to 192000 Hz") != std::string::npos ||
                    error.find("not an Ogg Vorbis stream") != std::string::npos)
            << error;
        EXPECT_EQ(clip.OpenOgg(path.c_str()), 0);
    }
    // The committed probe case: a 1 Hz header that made the resampler ask for 280 GB.
    EXPECT_EQ(clip.OpenOgg((kHostile + "rate_1hz.ogg").c_str()), 0);
    EXPECT_EQ(clip.OpenOgg(ClipClaimingRate(8000).c_str()), 1) << "the lowest rate is fine";

    const std::string surround = TempPath("three.ogg");
    ASSERT_TRUE(WriteTestOgg(surround, 3, 44100, 4410));
    error.clear();
    EXPECT_EQ(DecodeOgg(surround.c_str(), decoded, error), DecodeResult::NotVorbis);
    EXPECT_NE(error.find("3 channels"), std::string::npos) << error;
}

TEST_F(HostileClipTest, ConvertedClipsStayWithinTheClipLimit) {
    // The longest mono clip the decoder keeps, at the lowest rate: twelve times larger as
    // device stereo at 48 kHz unless cut.
    DecodedOgg decoded;
    decoded.format.channels = 1;
    decoded.format.samplesPerSec = 8000;
    decoded.samples.assign(kMaxClipBytes / 2, 1000);
    const std::vector<int16_t> device = ToDeviceFormat(decoded, 48000);
    EXPECT_LE(device.size() * 2, size_t(kMaxClipBytes));
    EXPECT_GE(device.size() * 2, size_t(kMaxClipBytes) - 16) << "cut at the limit, not before";
    EXPECT_EQ(device.back(), 1000);
}

#ifndef _WIN32 // no FIFOs on Windows: the Linux build checks special files
TEST_F(HostileClipTest, FifoAndFolderClipsAreRefusedWithoutBlocking) {
    const std::string fifo = TempPath("fifo.ogg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(TempPath("folder.ogg"));
    FifoWatchdog watchdog(fifo);
    DecodedOgg decoded;
    for (const std::string& path : {fifo, TempPath("folder.ogg")}) {
        std::string error;
        EXPECT_EQ(DecodeOgg(path.c_str(), decoded, error), DecodeResult::NotVorbis);
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_FALSE(watchdog.rescued) << "opening a FIFO clip blocked";
}
#endif

TEST(DataFolderTest, TheFirstPlaceHoldingDataIsChosen) {
    const std::string root = ShortTempDir("pfd");
    fs::create_directories(root + "/b/Data");
    fs::create_directories(root + "/c/Data");
    fs::create_directories(root + "/a");
    WriteBytes(root + "/a/Data", "a file, not a folder");
    EXPECT_EQ(FindDataFolder({root + "/a", root + "/b", root + "/c"}), root + "/b");
    EXPECT_EQ(FindDataFolder({root + "/a"}), "");
    // The working directory first, then the program's folder, then the installed data seen from
    // the program's folder (games/ beside share/), then the installed data as configured.
    const std::vector<std::string> places = DataFolderCandidates();
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0], ".");
    const fs::path prefix = fs::path(places[1]).parent_path().parent_path();
    EXPECT_EQ(fs::path(places[2]), prefix / "share" / "pebblefrost");
    fs::remove_all(root);
}

#ifndef _WIN32 // a Windows death test runs the test again in a new process, with its own folder
TEST(DataFolderTest, WithoutDataTheGameSaysWhereItLookedAndFailsBeforeTheWindow) {
    const std::string root = ShortTempDir("pfd");
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    // No renderer made (an earlier test in this process may have left its own).
    const auto* rendererBefore = Graphics::Instance().renderer;
    EXPECT_EXIT(
        {
            const int status = RunGame(DisplayMode::Headless);
            std::exit(status == 1 && Graphics::Instance().renderer == rendererBefore ? 3 : 0);
        },
        ::testing::ExitedWithCode(3), "no Data folder found; looked in " + RegexQuote(root) + ", ");
    fs::current_path(previous);
    fs::remove_all(root);
}
#endif

} // namespace
