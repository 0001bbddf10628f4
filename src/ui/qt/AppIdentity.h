#pragma once

#include <QIcon>

namespace lexaro {

// The desktop entry's name, which also names the icon in the icon theme.
inline constexpr const char* kApplicationId = "org.lexaro.Lexaro";

// The program's icon in every size rendered from its drawing, embedded in the program so that a copy
// outside an installation shows it too.
QIcon ApplicationIcon();

// The info box's picture, drawn at kAboutPictureWidth by kAboutPictureHeight (and twice that for scaled screens).
inline constexpr int kAboutPictureWidth = 96;
inline constexpr int kAboutPictureHeight = 144;
QIcon AboutPicture();

// Gives every window and the tray the program's icon and tells the desktop which entry the windows
// belong to (Wayland compositors take the icon and name from it).
void ApplyApplicationIdentity();

} // namespace lexaro
