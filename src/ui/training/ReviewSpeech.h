#pragma once

#include "app/SpeechLanguages.h"

namespace lexaro {

class CReviewDlg;
class SpeechPlayer;

// Has the review window say each question when it appears (sayQuestion) and the expected answer when it is
// shown (sayAnswer), each in its side's language: a reverse card asks the explanation and expects the term.
void SpeakReview(CReviewDlg& review, SpeechPlayer& player, const VoicePair& voices, bool sayQuestion, bool sayAnswer);

} // namespace lexaro
