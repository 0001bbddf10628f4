#include "app/WavFile.h"

#include "table/SafeFile.h"

#include <cstdint>

namespace lexaro {

namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::string WavBytes(const SpeechSamples& speech) {
    constexpr std::uint32_t kBytesPerSample = 2;
    const auto rate = static_cast<std::uint32_t>(speech.sampleRate);
    const auto dataSize = static_cast<std::uint32_t>(speech.samples.size() * kBytesPerSample);
    std::string bytes;
    bytes.reserve(44 + dataSize);
    bytes.append("RIFF");
    AppendLittleEndian(bytes, 36 + dataSize, 4);
    bytes.append("WAVEfmt ");
    AppendLittleEndian(bytes, 16, 4);                     // size of the format chunk
    AppendLittleEndian(bytes, 1, 2);                      // PCM
    AppendLittleEndian(bytes, 1, 2);                      // mono
    AppendLittleEndian(bytes, rate, 4);                   // samples per second
    AppendLittleEndian(bytes, rate * kBytesPerSample, 4); // bytes per second
    AppendLittleEndian(bytes, kBytesPerSample, 2);        // bytes per frame
    AppendLittleEndian(bytes, 16, 2);                     // bits per sample
    bytes.append("data");
    AppendLittleEndian(bytes, dataSize, 4);
    for (const std::int16_t sample : speech.samples) {
        AppendLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

bool WriteWavFile(const std::filesystem::path& path, const SpeechSamples& speech) {
    return WriteFileSafely(path, WavBytes(speech));
}

} // namespace lexaro
