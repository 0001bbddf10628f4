#include "app/FontSettings.h"

#include <utility>

namespace lexaro {

FontSettings::FontSettings(FontValues baseFont, FontValues desktopFont)
    : m_Base(std::move(baseFont)), m_Desktop(std::move(desktopFont)) {
    Rebuild();
}

void FontSettings::SetUseBuildInFont(bool on) {
    m_UseBuildInFont = on;
    Rebuild();
}

void FontSettings::Rebuild() {
    m_Working = m_Base;
    if (m_UseBuildInFont) {
        return;
    }
    m_Working.faceName = m_Desktop.faceName;
    m_Working.charset = m_Desktop.charset;
    m_Working.pitchAndFamily = m_Desktop.pitchAndFamily;
    if (m_UseFontHeight) {
        m_Working.height = m_Desktop.height;
    }
}

void FontSettings::SetStoredFont(const FontValues& stored) {
    m_Working.faceName = stored.faceName;
    m_Working.charset = stored.charset;
    m_Working.pitchAndFamily = stored.pitchAndFamily;
    if (m_UseFontHeight) {
        m_Working.height = stored.height;
    }
}

void FontSettings::ResetToBuiltIn() {
    m_UseFontHeight = false;
    m_Working = m_Base;
}

FontValues FontSettings::ApplyTo(const FontValues& windowFont, bool withHeight) const {
    FontValues result = windowFont;
    result.faceName = m_Working.faceName;
    result.charset = m_Working.charset;
    result.pitchAndFamily = m_Working.pitchAndFamily;
    if (withHeight) {
        result.height = m_Working.height;
    }
    return result;
}

} // namespace lexaro
