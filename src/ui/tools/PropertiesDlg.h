#pragma once

#include "app/ChecksumJob.h"
#include "app/SpeechEngine.h"
#include "app/SpeechLanguages.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;

namespace lexaro {

class EntryStore;

// Facts about the open dictionary and its file, with a checksum in the algorithm the user picks.
class CPropertiesDlg : public QDialog {
    Q_OBJECT

public:
    // checksumType is read at opening and written whenever the selection changes.
    CPropertiesDlg(const ToolWindowContext& context, const QString& path, EntryStore& engine, int& checksumType,
                   QWidget* parent = nullptr);
    ~CPropertiesDlg() override;

    // Every shown value as "label - value" lines; the checksum line only when a checksum is shown.
    QString CopyText() const;
    // Adds the choice of the voices that speak the dictionary's terms and explanations, by language name.
    // chosen is read now and written whenever a choice changes.
    void OfferVoices(const std::vector<SpeechVoice>& voices, VoicePair& chosen);

private:
    // Empties the checksum field and starts computing the checksum of the chosen type; the field shows it when
    // it is done. A computation still running for another type is abandoned.
    void ShowChecksum(int type);
    void ChecksumFinished(quint64 request, const QString& checksum);
    void ShowBusy(bool busy);
    void FitValues();
    void Copy();

    ToolWindowContext m_Context;
    QString m_Path;
    bool m_FileExists = false;
    int& m_ChecksumType;
    QComboBox* m_CBBChecksum = nullptr;
    QLineEdit* m_EDTChecksum = nullptr;
    QGridLayout* m_Grid = nullptr;
    std::vector<QLineEdit*> m_Values;
    // Numbers the computations, so that the result of an abandoned one that arrives late is ignored.
    quint64 m_ChecksumRequest = 0;
    ChecksumJob m_ChecksumJob;
};

} // namespace lexaro
