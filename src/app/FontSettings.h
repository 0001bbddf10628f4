#pragma once

#include <string>

namespace lexaro {

// A font as the settings keep it: face name (UTF-8), character set, height (negative: character height in
// pixels, positive: cell height) and pitch-and-family, with the numbers of a Windows logical font.
struct FontValues {
    std::string faceName;
    int charset = 0;
    int height = 0;
    int pitchAndFamily = 0;

    bool operator==(const FontValues&) const = default;
};

// The user's font choice, owned by the main window and handed to every window, which applies it to itself
// and its controls when it opens. The windows supply the two fonts it is built from: the base font (the
// main window's own font) and the desktop's general font.
class FontSettings {
public:
    FontSettings() = default;
    FontSettings(FontValues baseFont, FontValues desktopFont);

    bool UseBuildInFont() const { return m_UseBuildInFont; }
    // Rebuilds the working font (see Rebuild).
    void SetUseBuildInFont(bool on);
    bool UseFontSettings() const { return m_UseFontSettings; }
    void SetUseFontSettings(bool on) { m_UseFontSettings = on; }
    bool UseFontHeight() const { return m_UseFontHeight; }
    void SetUseFontHeight(bool on) { m_UseFontHeight = on; }

    const FontValues& BaseFont() const { return m_Base; }
    const FontValues& DesktopFont() const { return m_Desktop; }
    const FontValues& Working() const { return m_Working; }

    // The base font unchanged with UseBuildInFont; otherwise the base font with the desktop font's face,
    // character set and pitch, and its height too with UseFontHeight.
    void Rebuild();
    // The stored font of the settings: face, character set and pitch replace the working font's; the
    // height only while UseFontHeight is set.
    void SetStoredFont(const FontValues& stored);
    // A font the user chose: it becomes the working font as it is.
    void SetWorkingFont(const FontValues& font) { m_Working = font; }
    // Back to the built-in font: the base font, without a height of its own.
    void ResetToBuiltIn();

    // A window's font with the working font's face, character set and pitch, and with its height when
    // withHeight is set (the main window always asks for it).
    FontValues ApplyTo(const FontValues& windowFont, bool withHeight) const;

private:
    FontValues m_Base;
    FontValues m_Desktop;
    FontValues m_Working;
    bool m_UseBuildInFont = false;
    bool m_UseFontSettings = true;
    bool m_UseFontHeight = false;
};

} // namespace lexaro
