#pragma once
// Encodes small Ogg Vorbis files for the tests and the benchmarks.
#include <string>

// A sine tone (plus some noise when noise > 0, for a bitrate like real music) of the given
// length. False with a reason in error when the file cannot be written.
bool WriteSineOgg(const std::string& path, int channels, int rate, int frames, float frequency,
                  std::string& error, float noise = 0.0f);
