#include "qt/fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>

#include <gtest/gtest.h>

// The windows name Windows faces; without substitutes they would resolve to a
// Latin face and the Chinese captions would rely on glyph merging from some
// other font, or show empty boxes. With merging switched off, the face the
// name resolves to must itself hold the characters the program writes.
TEST(FontSubstitutions, ChineseFaceNamesResolveToFacesWithChineseGlyphs)
{
    RegisterFontSubstitutions();
    const char32_t samples[] = {U'焓', U'湿', U'图', U'℃', U'φ', U'确'};
    for (const char *face : {faces::kSong, faces::kKai, faces::kFangSong}) {
        QFont font(QString::fromUtf8(face));
        font.setPointSizeF(12.0);
        font.setStyleStrategy(QFont::NoFontMerging);
        const QString family = QFontInfo(font).family();
        SCOPED_TRACE(::testing::Message() << face << " -> " << family.toStdString());
        const QFontMetrics metrics(font);
        const QRawFont raw = QRawFont::fromFont(font);
        ASSERT_TRUE(raw.isValid());
        for (char32_t c : samples) {
            EXPECT_TRUE(metrics.inFontUcs4(c)) << std::hex << static_cast<unsigned>(c);
            EXPECT_TRUE(raw.supportsCharacter(static_cast<uint>(c)))
                << std::hex << static_cast<unsigned>(c);
        }
    }
}
