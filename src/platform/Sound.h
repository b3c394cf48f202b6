#pragma once
#include "platform/Types.h"
#include "services/DataLimits.h"
#include <cstddef>
#include <cstdint>

// Tick count in milliseconds (the virtual clock in the headless backend).
uint32_t GetTickCount();

// True (and restamps) when strictly more than duration ms passed since stored; unsigned wrap.
bool TickPassed(uint32_t& stored, uint32_t duration);

// The PCM description a clip was decoded with (the stream's own rate and channels).
struct WaveFormat {
    uint16_t formatTag = 0; // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

struct SoundBuffer; // decoded PCM in the device format, plus its play state (the mixer's)
struct SoundDevice; // the one shared audio device

// One Ogg Vorbis clip decoded whole into memory and mixed by the shared device.
class CSound {
  public:
    CSound() = default;
    virtual ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    int OnCreate(WindowHandle window); // 1 on success
    int OpenOgg(const char* path);     // 1 when the clip was loaded
    int PlayOgg(int loop);             // continues a playing clip, only its looping changes
    void Stop();                       // stops and rewinds
    void Unload();                     // frees the clip; ready keeps its value

    // What the mixer reports (used by tests and the headless tools).
    bool IsPlaying() const;
    bool IsLooping() const;
    uint32_t PositionFrames() const; // play position in device frames
    uint32_t LengthFrames() const;   // clip length in device frames

    SoundBuffer* buffer = nullptr;
    SoundDevice* directSound = nullptr;
    int32_t ready = 0;
    WaveFormat format;
    uint32_t decodedBytes = 0; // bytes of 16-bit PCM the stream decoded to (before conversion)

    // Failure messages are shown once per clip and kind.
    uint8_t reported = 0;
};

// The loudness of everything played, 0 (silent) to 100 (as the clips are), applied at once.
void SetMasterVolume(int percent);
int MasterVolume();

// Bytes of every loaded clip as the device plays it: the game's own sound memory.
size_t LoadedClipBytes();

// Decoded 16-bit PCM per clip (60 MiB), as read from the stream and as converted for the device.
constexpr uint32_t kMaxClipBytes = kDataLimits.clipBytes;
