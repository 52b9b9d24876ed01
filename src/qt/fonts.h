#pragma once

#include <QStringList>

// The windows name their faces as a Chinese Windows desktop does ("宋体",
// "楷体_GB2312", "仿宋_GB2312"). Registers font substitutions so that these
// names resolve to the real faces where they exist (SimSun, KaiTi, FangSong
// and their GB2312 variants) and otherwise to installed CJK faces: the AR PL
// Ming face for Song and FangSong (Debian has no FangSong face), the AR PL Kai
// face for Kai, then Noto CJK as a last resort. Call once, after the
// application object exists and before the first window is created.
void RegisterFontSubstitutions();

// The faces that stand for a face name, in the order they are tried: those
// registered above for the Chinese names, Qt's own substitutes for others.
QStringList FaceSubstitutes(const QString &face);

// Face names used by the windows.
namespace faces {
inline constexpr const char *kSong = "宋体";
inline constexpr const char *kKai = "楷体_GB2312";
inline constexpr const char *kFangSong = "仿宋_GB2312";
} // namespace faces
