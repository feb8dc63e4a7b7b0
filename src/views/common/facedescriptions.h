#pragma once

#include <QLabel>

namespace zz {

// The faces as assistive technology names them: laughing, smiling, sulking.
inline void DescribeFaces(QLabel *wara, QLabel *niko, QLabel *kana)
{
    wara->setAccessibleName(QStringLiteral("笑顔マーク"));
    wara->setAccessibleDescription(QStringLiteral("体重が減りました"));
    niko->setAccessibleName(QStringLiteral("にっこりマーク"));
    niko->setAccessibleDescription(QStringLiteral("体重は変わりませんでした"));
    kana->setAccessibleName(QStringLiteral("ムスッとマーク"));
    kana->setAccessibleDescription(QStringLiteral("体重が増えました"));
}

} // namespace zz
