#pragma once

#include "app/SpeechEngine.h"

#include <filesystem>
#include <string>

namespace lexaro {

// The bytes of a RIFF WAVE file holding the samples as 16-bit PCM mono.
std::string WavBytes(const SpeechSamples& speech);
// Writes them through the safe writer; false (old file untouched) when the file cannot be written.
bool WriteWavFile(const std::filesystem::path& path, const SpeechSamples& speech);

} // namespace lexaro
