#pragma once

#include <QObject>
#include <QPoint>

class QMainWindow;

namespace lexaro {

class TrayAndClipboard;
struct MainWindowControls;
struct Settings;

// The main window's frame: always on top, the caption bar (without it the window is moved by dragging its
// surface and a right double click brings the caption back), its place on the screen, and minimising into the
// tray when the tray icon is on.
class WindowFrame : public QObject {
    Q_OBJECT

public:
    WindowFrame(QMainWindow& window, Settings& settings, MainWindowControls& controls, TrayAndClipboard& tray);

    void ApplyAlwaysOnTop();
    // Shows or hides the caption bar; with shift the window keeps its content where it was.
    void ShowCaption(bool show, bool shift);
    bool IsCaptionShown() const { return m_CaptionShown; }

    // Always on top, the caption and the place from the settings; the place only when the user wants it kept.
    void ApplySettings(const Settings& settings);
    void CollectSettings(Settings& settings) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& m_Window;
    Settings& m_Settings;
    MainWindowControls& m_Controls;
    TrayAndClipboard& m_Tray;
    QPoint m_DragOrigin;
    bool m_CaptionShown = true;
};

} // namespace lexaro
