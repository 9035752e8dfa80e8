// The font of the result view. The settings name the font as the user chose
// it; "FixedSys" (the default) is no font on this system and stands for the
// first installed fixed-pitch font that covers Japanese.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace tobrel {

inline constexpr char kDefaultViewFontName[] = "FixedSys";
inline constexpr int kDefaultViewFontSize = 9;

// The installed families that cover Japanese and give the Latin letters,
// digits and signs one advance, sorted: the fonts the font dialog offers.
// Fontconfig calls IPAGothic dual-width rather than fixed-pitch, so this
// measures the glyphs instead of asking for fixed pitch.
QStringList JapaneseFixedFamilies();

// The family that "FixedSys" stands for: IPAGothic when installed, else the
// first of JapaneseFixedFamilies(), else the system's fixed font.
QString JapaneseFixedFamily();

// The font for `name` (a family, or "FixedSys" in any letter case) at
// `point_size` points. A family that is not installed is treated as
// "FixedSys".
QFont ResolveViewFont(const QString& name, int point_size);

}  // namespace tobrel
