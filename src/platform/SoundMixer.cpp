#include "platform/SoundMixer.h"
#include "platform/PlatformState.h"
#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kChunkFrames = 256;

// The device lives for the whole process: clips may be unloaded at exit in any order.
SoundDevice& Device() {
    static SoundDevice* device = new SoundDevice;
    return *device;
}
bool deviceTried = false;
std::atomic<int> masterVolume{100}; // read by the audio thread
bool deviceAvailable = false;

// The audio thread: sums every playing clip, clipping to 16 bits.
void Mix(void* userdata, Uint8* stream, int length) {
    SoundDevice& device = *static_cast<SoundDevice*>(userdata);
    int16_t* out = reinterpret_cast<int16_t*>(stream);
    int frames = length / 4;
    int32_t mix[kChunkFrames * 2];
    while (frames > 0) {
        int n = std::min(frames, kChunkFrames);
        std::fill(mix, mix + n * 2, 0);
        for (SoundBuffer* clip : device.clips)
            if (clip->playing) PlayInto(*clip, mix, static_cast<uint32_t>(n));
        const int volume = masterVolume.load(std::memory_order_relaxed);
        for (int i = 0; i < n * 2; ++i)
            out[i] = static_cast<int16_t>(std::clamp(mix[i] * volume / 100, -32768, 32767));
        out += n * 2;
        frames -= n;
    }
}

uint32_t OpenAudio(SoundDevice& device) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec want{}, have{};
    want.freq = kDeviceRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = Mix;
    want.userdata = &device;
    SDL_AudioDeviceID id =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    device.rate = have.freq;
    SDL_PauseAudioDevice(id, 0);
    return id;
}

} // namespace

void SetMasterVolume(int percent) {
    masterVolume.store(std::clamp(percent, 0, 100), std::memory_order_relaxed);
}

int MasterVolume() {
    return masterVolume.load(std::memory_order_relaxed);
}

size_t LoadedClipBytes() {
    if (!deviceAvailable) return 0;
    SoundDevice& device = Device();
    SoundLock lock(&device);
    size_t bytes = 0;
    for (const SoundBuffer* clip : device.clips)
        bytes += clip->samples.size() * sizeof(int16_t);
    return bytes;
}

SoundDevice* OpenSoundDevice() {
    SoundDevice& device = Device();
    if (deviceTried) return deviceAvailable ? &device : nullptr;
    deviceTried = true;
    if (platform::IsHeadless()) {
        device.silent = true;
        device.rate = kDeviceRate;
        deviceAvailable = true;
        return &device;
    }
    device.id = OpenAudio(device);
    if (device.id == 0) {
        // No sound card: the game goes on silent.
        std::fprintf(stderr, "PebbleFrost: no audio device (%s); running silent\n", SDL_GetError());
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        device.id = OpenAudio(device);
    }
    deviceAvailable = device.id != 0;
    return deviceAvailable ? &device : nullptr;
}

SoundLock::SoundLock(SoundDevice* device) : id(device ? device->id : 0) {
    if (id) SDL_LockAudioDevice(id);
}

SoundLock::~SoundLock() {
    if (id) SDL_UnlockAudioDevice(id);
}

void PlayInto(SoundBuffer& clip, int32_t* mix, uint32_t frames) {
    uint32_t done = 0;
    while (done < frames && clip.playing) {
        if (clip.position >= clip.frames) { // empty clip, or already at its end
            clip.position = 0;
            clip.playing = clip.looping && clip.frames > 0;
            continue;
        }
        uint32_t n = std::min(frames - done, clip.frames - clip.position);
        if (mix) {
            const int16_t* source = clip.samples.data() + size_t(clip.position) * 2;
            int32_t* target = mix + size_t(done) * 2;
            for (uint32_t i = 0; i < n * 2; ++i)
                target[i] += source[i];
        }
        clip.position += n;
        done += n;
    }
    if (clip.position >= clip.frames) {
        clip.position = 0;
        if (!clip.looping) clip.playing = false;
    }
}

namespace platform {

void AdvanceSilentMixer(uint32_t ms) {
    if (!deviceAvailable) return;
    SoundDevice& device = Device();
    if (!device.silent) return;
    uint64_t before = device.silentMs * uint64_t(device.rate) / 1000;
    device.silentMs += ms;
    uint64_t after = device.silentMs * uint64_t(device.rate) / 1000;
    uint64_t frames = after - before;
    for (SoundBuffer* clip : device.clips) {
        uint64_t left = frames;
        while (left > 0 && clip->playing) {
            uint32_t step = static_cast<uint32_t>(std::min<uint64_t>(left, 1u << 30));
            PlayInto(*clip, nullptr, step);
            left -= step;
        }
    }
}

void CloseSoundDevice() {
    SoundDevice& device = Device();
    if (device.id) {
        SDL_CloseAudioDevice(device.id);
        device.id = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

} // namespace platform
