#include "ui/training/ReviewSpeech.h"

#include "ui/qt/QtText.h"
#include "ui/qt/SpeechPlayer.h"
#include "ui/training/ReviewDlg.h"

namespace lexaro {

void SpeakReview(CReviewDlg& review, SpeechPlayer& player, const VoicePair& voices, bool sayQuestion, bool sayAnswer) {
    if (sayQuestion) {
        QObject::connect(&review, &CReviewDlg::questionShown, &player,
                         [&player, voices](const QString& question, bool reverse) {
                             player.Say(ToUtf8(question), reverse ? voices.explanations : voices.terms);
                         });
    }
    if (sayAnswer) {
        QObject::connect(&review, &CReviewDlg::answerShown, &player,
                         [&player, &review, voices](const QString&, bool reverse) {
                             player.Say(ToUtf8(review.ExpectedAnswer()), reverse ? voices.terms : voices.explanations);
                         });
    }
}

} // namespace lexaro
