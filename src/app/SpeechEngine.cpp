#include "app/SpeechEngine.h"

#include "table/AsciiFold.h"

namespace lexaro {

int VoiceIndexFor(const std::vector<SpeechVoice>& voices, std::string_view language) {
    const std::string wanted = FoldAsciiCopy(language);
    int other = -1;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        if (FoldAsciiCopy(voices[i].language) == wanted) {
            return static_cast<int>(i);
        }
        for (const std::string& also : voices[i].otherLanguages) {
            if (other < 0 && FoldAsciiCopy(also) == wanted) {
                other = static_cast<int>(i);
            }
        }
    }
    return other;
}

} // namespace lexaro
