#include "TestSupport.h"
#include <filesystem>
#include <fstream>

namespace {

constexpr int kDeviceRate = 44100; // the silent mixer's rate

TEST(TickPassed, StrictlyMoreThanTheDurationAndAcrossTheWrap) {
    const char* error = "";
    ASSERT_NE(CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error), nullptr);
    headless::SetClock(1000);
    uint32_t stored = GetTickCount();
    headless::AdvanceClock(100);
    EXPECT_FALSE(TickPassed(stored, 100));
    EXPECT_EQ(stored, 1000u);
    headless::AdvanceClock(1);
    EXPECT_TRUE(TickPassed(stored, 100));
    EXPECT_EQ(stored, 1101u);

    // 16 ms before the counter wraps; 100 ms later it reads 84.
    stored = 0xFFFFFFF0u;
    headless::SetClock(84);
    EXPECT_FALSE(TickPassed(stored, 100));
    headless::SetClock(85);
    EXPECT_TRUE(TickPassed(stored, 100));
    EXPECT_EQ(stored, 85u);
}

class SoundTest : public HeadlessTest {
  protected:
    // A clip of the given length in milliseconds, created and opened.
    void Open(CSound& clip, int channels, int rate, int ms, const char* name = "clip.ogg") {
        std::string path = TempPath(name);
        ASSERT_TRUE(WriteTestOgg(path, channels, rate, rate * ms / 1000));
        ASSERT_EQ(clip.OnCreate(window), 1);
        ASSERT_EQ(clip.OpenOgg(path.c_str()), 1);
    }
    static uint32_t Frames(uint32_t ms) { return ms * kDeviceRate / 1000; }
};

TEST_F(SoundTest, FormatDescribesTheStream) {
    CSound mono, stereo, slow;
    Open(mono, 1, 44100, 100, "mono.ogg");
    Open(stereo, 2, 44100, 100, "stereo.ogg");
    Open(slow, 1, 22050, 100, "slow.ogg");
    EXPECT_EQ(mono.format.formatTag, 1);
    EXPECT_EQ(mono.format.bitsPerSample, 16);
    EXPECT_EQ(mono.format.extraSize, 18);
    EXPECT_EQ(mono.format.blockAlign, 2);
    EXPECT_EQ(stereo.format.blockAlign, 4);
    EXPECT_EQ(stereo.format.avgBytesPerSec, 176400u);
    EXPECT_EQ(slow.format.samplesPerSec, 22050u);
    EXPECT_EQ(slow.format.avgBytesPerSec, 44100u);
    // Every frame of the stream is decoded, none invented.
    EXPECT_EQ(slow.decodedBytes, 2205u * 2);
    EXPECT_EQ(stereo.decodedBytes, 4410u * 4);
}

TEST_F(SoundTest, ClipsOfAnyRatePlayAtTheirOwnLength) {
    CSound slowMono, stereo;
    Open(slowMono, 1, 22050, 500, "slow.ogg");
    Open(stereo, 2, 32000, 500, "stereo.ogg");
    // Half a second is half a second of device frames, whatever the clip's own rate.
    EXPECT_NEAR(double(slowMono.LengthFrames()), Frames(500), Frames(500) * 0.01);
    EXPECT_NEAR(double(stereo.LengthFrames()), Frames(500), Frames(500) * 0.01);
}

TEST_F(SoundTest, PlayingTwiceDoesNotRestartAndOnlyChangesLooping) {
    CSound clip;
    Open(clip, 2, 44100, 300);
    EXPECT_EQ(clip.PlayOgg(0), 1);
    headless::AdvanceClock(100);
    EXPECT_EQ(clip.PositionFrames(), Frames(100));

    EXPECT_EQ(clip.PlayOgg(1), 1);
    EXPECT_TRUE(clip.IsPlaying());
    EXPECT_TRUE(clip.IsLooping());
    EXPECT_EQ(clip.PositionFrames(), Frames(100));

    // Looping now: past the end it goes round instead of stopping.
    headless::AdvanceClock(250);
    EXPECT_TRUE(clip.IsPlaying());
    EXPECT_EQ(clip.PositionFrames(), Frames(350) - clip.LengthFrames());

    ASSERT_EQ(headless::PlayLog().size(), 2u);
    EXPECT_FALSE(headless::PlayLog()[0].loop);
    EXPECT_TRUE(headless::PlayLog()[1].loop);
    EXPECT_EQ(headless::PlayLog()[1].path, TempPath("clip.ogg"));
}

TEST_F(SoundTest, StopRewindsAndAFinishedClipPlaysAgainFromTheStart) {
    CSound clip;
    Open(clip, 1, 44100, 200);
    clip.PlayOgg(0);
    headless::AdvanceClock(50);
    clip.Stop();
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.PositionFrames(), 0u);
    headless::AdvanceClock(50);
    EXPECT_EQ(clip.PositionFrames(), 0u);

    clip.PlayOgg(0);
    headless::AdvanceClock(10);
    EXPECT_EQ(clip.PositionFrames(), Frames(10));

    headless::AdvanceClock(500); // past its end without looping
    EXPECT_FALSE(clip.IsPlaying());
    clip.PlayOgg(0);
    headless::AdvanceClock(10);
    EXPECT_TRUE(clip.IsPlaying());
    EXPECT_EQ(clip.PositionFrames(), Frames(10));
}

TEST_F(SoundTest, UnloadFreesTheClipAndKeepsReady) {
    CSound clip;
    Open(clip, 1, 44100, 100);
    clip.PlayOgg(1);
    clip.Unload();
    EXPECT_EQ(clip.buffer, nullptr);
    EXPECT_EQ(clip.ready, 1);
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.PlayOgg(0), 0);
    headless::AdvanceClock(100); // the mixer no longer knows the clip
    EXPECT_TRUE(headless::Messages().empty());
}

// The game's own sound memory is every loaded clip as the device plays it: 16-bit stereo.
TEST_F(SoundTest, LoadedClipBytesCountEveryClipUntilItIsUnloaded) {
    const size_t before = LoadedClipBytes();
    CSound mono, stereo;
    Open(mono, 1, 22050, 100, "mono.ogg");
    Open(stereo, 2, 44100, 200, "stereo.ogg");
    EXPECT_EQ(LoadedClipBytes(),
              before + (size_t(mono.LengthFrames()) + stereo.LengthFrames()) * 2 * sizeof(int16_t));
    mono.Unload();
    EXPECT_EQ(LoadedClipBytes(), before + size_t(stereo.LengthFrames()) * 2 * sizeof(int16_t));
    stereo.Unload();
    EXPECT_EQ(LoadedClipBytes(), before);
}

TEST_F(SoundTest, MissingOrForeignFilesLoadNothingWithoutABox) {
    CSound clip;
    ASSERT_EQ(clip.OnCreate(window), 1);
    EXPECT_EQ(clip.OpenOgg(TempPath("nowhere.ogg").c_str()), 0);
    std::ofstream(TempPath("text.ogg")) << "this is not a sound\n";
    EXPECT_EQ(clip.OpenOgg(TempPath("text.ogg").c_str()), 0);
    EXPECT_EQ(clip.buffer, nullptr);
    EXPECT_EQ(clip.PlayOgg(0), 0);
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(SoundTest, DamagedStreamsKeepWhatDecodes) {
    std::string whole = TempPath("whole.ogg");
    ASSERT_TRUE(WriteTestOgg(whole, 2, 44100, 10 * 44100)); // several pages of audio
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 20000u);

    // Cut at a page boundary half way: a stream that simply ends early.
    size_t page = bytes.find("OggS", bytes.size() / 2);
    ASSERT_NE(page, std::string::npos);
    std::string cut = TempPath("cut.ogg");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, page);
    // Damage inside the audio: the damaged pages are skipped as holes.
    std::string garbled = bytes;
    for (size_t i = bytes.size() * 2 / 3; i < bytes.size() * 2 / 3 + 500; ++i)
        garbled[i] = char(i * 7);
    std::ofstream(TempPath("garbled.ogg"), std::ios::binary) << garbled;

    CSound full, half, damaged;
    ASSERT_EQ(full.OnCreate(window), 1);
    ASSERT_EQ(full.OpenOgg(whole.c_str()), 1);
    ASSERT_EQ(half.OnCreate(window), 1);
    ASSERT_EQ(half.OpenOgg(cut.c_str()), 1);
    EXPECT_GT(half.decodedBytes, 0u);
    EXPECT_LT(half.decodedBytes, full.decodedBytes);
    ASSERT_EQ(damaged.OnCreate(window), 1);
    ASSERT_EQ(damaged.OpenOgg(TempPath("garbled.ogg").c_str()), 1);
    EXPECT_GT(damaged.decodedBytes, 0u);
    EXPECT_LT(damaged.decodedBytes, full.decodedBytes);
}

TEST_F(SoundTest, ClipNotCreatedReportsEachFailureOnce) {
    CSound clip;
    std::string path = TempPath("clip.ogg");
    ASSERT_TRUE(WriteTestOgg(path, 1, 44100, 100));
    EXPECT_EQ(clip.OpenOgg(path.c_str()), 0);
    EXPECT_EQ(clip.OpenOgg(path.c_str()), 0);
    EXPECT_EQ(clip.PlayOgg(1), 0);
    EXPECT_EQ(clip.PlayOgg(1), 0);
    ASSERT_EQ(headless::Messages().size(), 2u);
    EXPECT_EQ(headless::Messages()[0],
              "ERROR: DirectSound 초기화가 되어있지않음(CSound::OpenOgg())");
    EXPECT_EQ(headless::Messages()[1],
              "ERROR: DirectSound 초기화가 되어있지않음(CSound::PlayOgg())");
    EXPECT_TRUE(headless::PlayLog().empty());
}

} // namespace
