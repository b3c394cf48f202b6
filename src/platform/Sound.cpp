#include "platform/Sound.h"
#include "platform/OggDecode.h"
#include "platform/PlatformState.h"
#include "platform/SoundMixer.h"
#include <SDL.h>
#include <cstdio>
#include <new>

namespace {

// Each clip shows each kind of failure once; the game then goes on silently.
enum Failure : uint8_t { CreateFailed = 1, OpenNotReady = 2, PlayNotReady = 4 };

constexpr const char* kCaption = "ERROR";
constexpr const char* kCreateFailedText = "DirectSound 생성실패[CSound::OnCreate()]";
constexpr const char* kOpenNotReadyText = "DirectSound 초기화가 되어있지않음(CSound::OpenOgg())";
constexpr const char* kPlayNotReadyText = "DirectSound 초기화가 되어있지않음(CSound::PlayOgg())";

void ReportOnce(uint8_t& reported, Failure kind, const char* text) {
    if (reported & kind) return;
    reported |= kind;
    ShowErrorMessage(kCaption, text);
}

} // namespace

uint32_t GetTickCount() {
    if (platform::IsHeadless()) return platform::Headless().clock;
    return SDL_GetTicks();
}

bool TickPassed(uint32_t& stored, uint32_t duration) {
    uint32_t elapsed = GetTickCount() - stored; // unsigned: the counter's wrap is harmless
    if (elapsed <= duration) return false;
    stored = GetTickCount();
    return true;
}

CSound::~CSound() {
    Unload();
}

int CSound::OnCreate(WindowHandle) {
    directSound = OpenSoundDevice();
    if (!directSound) {
        ReportOnce(reported, CreateFailed, kCreateFailedText);
        ready = 0;
        return 0;
    }
    ready = 1;
    return 1;
}

int CSound::OpenOgg(const char* path) {
    if (!ready) {
        ReportOnce(reported, OpenNotReady, kOpenNotReadyText);
        return 0;
    }
    if (!path) return 0;
    SoundDevice* device = OpenSoundDevice();
    if (!device) return 0;
    directSound = device;

    DecodedOgg decoded;
    std::string error;
    DecodeResult result = DecodeOgg(path, decoded, error);
    if (result == DecodeResult::Missing) return 0; // a missing clip is simply not heard
    if (!error.empty()) std::fprintf(stderr, "PebbleFrost: %s\n", error.c_str());
    if (result != DecodeResult::Ok) return 0;

    SoundBuffer* clip = nullptr;
    try {
        clip = new SoundBuffer;
        clip->samples = ToDeviceFormat(decoded, device->rate);
    } catch (const std::bad_alloc&) { // the clip is simply not heard
        delete clip;
        std::fprintf(stderr, "PebbleFrost: %s: no memory to convert the clip\n", path);
        return 0;
    }
    format = decoded.format;
    decodedBytes = decoded.bytes;
    clip->frames = static_cast<uint32_t>(clip->samples.size() / 2);
    clip->path = path;

    SoundBuffer* old = buffer;
    {
        SoundLock lock(device);
        if (old) std::erase(device->clips, old);
        device->clips.push_back(clip);
        buffer = clip;
    }
    delete old;
    return 1;
}

int CSound::PlayOgg(int loop) {
    if (!ready) {
        ReportOnce(reported, PlayNotReady, kPlayNotReadyText);
        return 0;
    }
    if (!buffer) return 0; // the clip's file was missing: nothing to play
    {
        SoundLock lock(directSound);
        // A playing clip goes on from where it is; a stopped one starts where Stop left it.
        buffer->looping = loop != 0;
        buffer->playing = true;
    }
    if (platform::IsHeadless())
        platform::Headless().playLog.push_back({buffer->path, loop != 0, GetTickCount()});
    return 1;
}

void CSound::Stop() {
    if (!buffer) return;
    SoundLock lock(directSound);
    buffer->playing = false;
    buffer->position = 0;
}

void CSound::Unload() {
    if (buffer) {
        SoundBuffer* old = buffer;
        {
            SoundLock lock(directSound);
            if (directSound) std::erase(directSound->clips, old);
            buffer = nullptr;
        }
        delete old;
    }
    directSound = nullptr;
}

bool CSound::IsPlaying() const {
    if (!buffer) return false;
    SoundLock lock(directSound);
    return buffer->playing;
}

bool CSound::IsLooping() const {
    if (!buffer) return false;
    SoundLock lock(directSound);
    return buffer->looping;
}

uint32_t CSound::PositionFrames() const {
    if (!buffer) return 0;
    SoundLock lock(directSound);
    return buffer->position;
}

uint32_t CSound::LengthFrames() const {
    return buffer ? buffer->frames : 0;
}
