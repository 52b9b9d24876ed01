#include "qt/fonts.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutions()
{
    // Windows faces first, so a Chinese Windows desktop keeps its own, then
    // the Debian faces (fonts-arphic-uming, fonts-arphic-ukai), then Noto CJK.
    const QStringList song = {
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"),
    };
    const QStringList kai = {
        QStringLiteral("KaiTi_GB2312"),     QStringLiteral("KaiTi"),
        QStringLiteral("STKaiti"),          QStringLiteral("AR PL UKai CN"),
        QStringLiteral("AR PL KaitiM GB"),  QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"),
    };
    const QStringList fangSong = {
        QStringLiteral("FangSong_GB2312"),   QStringLiteral("FangSong"),
        QStringLiteral("STFangsong"),        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
    };
    QFont::insertSubstitutions(QString::fromUtf8(faces::kSong), song);
    QFont::insertSubstitutions(QStringLiteral("宋体_GB2312"), song);
    QFont::insertSubstitutions(QString::fromUtf8(faces::kKai), kai);
    QFont::insertSubstitutions(QStringLiteral("楷体"), kai);
    QFont::insertSubstitutions(QString::fromUtf8(faces::kFangSong), fangSong);
    QFont::insertSubstitutions(QStringLiteral("仿宋"), fangSong);
}
