#pragma once
// The shared audio device and its mixer (platform-internal).
#include <cstdint>
#include <string>
#include <vector>

// A decoded clip in the device format (signed 16-bit stereo at the device rate) and where it
// stands. Play state is read by the audio thread: change it only while the device is locked.
struct SoundBuffer {
    std::vector<int16_t> samples; // interleaved left, right
    uint32_t frames = 0;
    uint32_t position = 0; // next frame to play
    bool playing = false;
    bool looping = false;
    std::string path;
};

struct SoundDevice {
    uint32_t id = 0;     // the SDL audio device; 0 when silent or closed
    int rate = 44100;    // frames per second every clip is converted to
    bool silent = false; // the headless mixer: positions advance with the virtual clock
    std::vector<SoundBuffer*> clips;
    uint64_t silentMs = 0; // virtual time the silent mixer has played
};

// The one device, opened on first use; nullptr when no device (not even a silent one) could open.
SoundDevice* OpenSoundDevice();

// Locks the device against its audio thread for the lifetime of the object.
class SoundLock {
  public:
    explicit SoundLock(SoundDevice* device);
    ~SoundLock();
    SoundLock(const SoundLock&) = delete;
    SoundLock& operator=(const SoundLock&) = delete;

  private:
    uint32_t id = 0;
};

// Moves a clip on by frames, adding its samples into mix (two per frame) when mix is given.
// A clip that reaches its end rewinds, and stops unless it loops.
void PlayInto(SoundBuffer& clip, int32_t* mix, uint32_t frames);
