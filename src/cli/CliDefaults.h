#pragma once

#include "engine/EntryStore.h"

#include <string>
#include <string_view>

namespace lexaro::cli {

// The engine's flags, limits and texts as the program has them without a settings file. The tool never
// reads or writes the user's settings: options change these defaults for one run only.
void ApplyDefaultSettings(EntryStore& engine);

// Code page of dictionary files and separator of separated text without a settings file.
int DefaultCharset();
std::string DefaultSeparator();

// What a look-up shows when nothing is found, in the built-in English texts.
std::string DefaultNotFoundText();
// A label of the properties window ("FrmProp.m_LBLFileName"), in the built-in English texts.
std::string PropertyLabel(std::string_view key);

// The translator window opens on this level.
inline constexpr int kDefaultTranslationLevel = 3;
inline constexpr int kHighestTranslationLevel = 4;

} // namespace lexaro::cli
