#include "qt/fonts.h"

#include <QFont>
#include <QStringList>

namespace {

// Windows faces first, so a Chinese Windows desktop keeps its own, then the
// Debian faces (fonts-arphic-uming, fonts-arphic-ukai), then Noto CJK.
const QStringList &SongFaces()
{
    static const QStringList song = {
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"),
    };
    return song;
}

const QStringList &KaiFaces()
{
    static const QStringList kai = {
        QStringLiteral("KaiTi_GB2312"),     QStringLiteral("KaiTi"),
        QStringLiteral("STKaiti"),          QStringLiteral("AR PL UKai CN"),
        QStringLiteral("AR PL KaitiM GB"),  QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"),
    };
    return kai;
}

// Debian has no FangSong face: the Ming face stands in.
const QStringList &FangSongFaces()
{
    static const QStringList fangSong = {
        QStringLiteral("FangSong_GB2312"),   QStringLiteral("FangSong"),
        QStringLiteral("STFangsong"),        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
    };
    return fangSong;
}

} // namespace

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(QString::fromUtf8(faces::kSong), SongFaces());
    QFont::insertSubstitutions(QStringLiteral("宋体_GB2312"), SongFaces());
    QFont::insertSubstitutions(QString::fromUtf8(faces::kKai), KaiFaces());
    QFont::insertSubstitutions(QStringLiteral("楷体"), KaiFaces());
    QFont::insertSubstitutions(QString::fromUtf8(faces::kFangSong), FangSongFaces());
    QFont::insertSubstitutions(QStringLiteral("仿宋"), FangSongFaces());
}

QStringList FaceSubstitutes(const QString &face)
{
    if (face == QString::fromUtf8(faces::kSong) || face == QStringLiteral("宋体_GB2312"))
        return SongFaces();
    if (face == QString::fromUtf8(faces::kKai) || face == QStringLiteral("楷体"))
        return KaiFaces();
    if (face == QString::fromUtf8(faces::kFangSong) || face == QStringLiteral("仿宋"))
        return FangSongFaces();
    return QFont::substitutes(face);
}
