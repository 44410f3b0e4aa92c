// Sound cues through SDL2's audio subsystem. Each file is read and converted to the
// device's format once, at its first use, and kept; a cue replaces whatever is still
// queued on the device, so the newest cue is the one heard.
#include "app/sound.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstring>

namespace {

constexpr int kMostCues = 8;
constexpr std::size_t kLongestName = 64;

struct Cue {
    char name[kLongestName] = {};
    Uint8* samples = nullptr;  // in the device's format; null when the file is unusable
    Uint32 length = 0;
};

struct Audio {
    bool tried = false;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec deviceFormat = {};
    Cue cues[kMostCues];
    int cueCount = 0;
};

Audio audio;

// On a machine without a sound card the ALSA library prints its failed probes on the
// console. The game is simply silent there, so the console stays quiet too: ALSA's
// error handler is replaced before SDL loads the library (the same loaded copy).
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void quietAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
    if (alsa == nullptr)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(ignoreAlsaMessage);
}

// Opens the audio device on first use; false for good when there is none.
bool audioReady() {
    if (audio.tried)
        return audio.device != 0;
    audio.tried = true;
    quietAlsa();
    // SDL's audio start would otherwise catch SIGINT and SIGTERM for an event queue
    // that a GLUT program never reads: Ctrl+C and a logout must still end the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec wanted = {};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    audio.device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &audio.deviceFormat,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (audio.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(audio.device, 0);
    return true;
}

// Reads a WAV file and converts it to the device's format; false when it cannot.
bool loadCue(const char* fileName, Cue& cue) {
    SDL_AudioSpec fileFormat;
    Uint8* fileSamples = nullptr;
    Uint32 fileLength = 0;
    if (SDL_LoadWAV(fileName, &fileFormat, &fileSamples, &fileLength) == nullptr)
        return false;

    SDL_AudioCVT convert;
    const int needed = SDL_BuildAudioCVT(&convert, fileFormat.format, fileFormat.channels,
                                         fileFormat.freq, audio.deviceFormat.format,
                                         audio.deviceFormat.channels, audio.deviceFormat.freq);
    if (needed < 0 || fileLength == 0) {
        SDL_FreeWAV(fileSamples);
        return false;
    }
    if (needed == 0) {
        cue.samples = fileSamples;
        cue.length = fileLength;
        return true;
    }
    convert.len = static_cast<int>(fileLength);
    convert.buf = static_cast<Uint8*>(SDL_malloc(static_cast<std::size_t>(convert.len) *
                                                 static_cast<std::size_t>(convert.len_mult)));
    if (convert.buf == nullptr) {
        SDL_FreeWAV(fileSamples);
        return false;
    }
    std::memcpy(convert.buf, fileSamples, fileLength);
    SDL_FreeWAV(fileSamples);
    if (SDL_ConvertAudio(&convert) != 0) {
        SDL_free(convert.buf);
        return false;
    }
    cue.samples = convert.buf;
    cue.length = static_cast<Uint32>(convert.len_cvt);
    return true;
}

// The cached cue for a file name, loading it the first time; null when the cache is
// full.
const Cue* findCue(const char* fileName) {
    for (int i = 0; i < audio.cueCount; ++i) {
        if (std::strcmp(audio.cues[i].name, fileName) == 0)
            return &audio.cues[i];
    }
    if (audio.cueCount == kMostCues || std::strlen(fileName) >= kLongestName)
        return nullptr;
    Cue& cue = audio.cues[audio.cueCount++];
    std::strcpy(cue.name, fileName);
    loadCue(fileName, cue);
    return &cue;
}

}  // namespace

void playSoundCue(const char* fileName) {
    if (fileName == nullptr || !audioReady())
        return;
    const Cue* cue = findCue(fileName);
    if (cue == nullptr || cue->samples == nullptr)
        return;
    SDL_ClearQueuedAudio(audio.device);
    SDL_QueueAudio(audio.device, cue->samples, cue->length);
}
