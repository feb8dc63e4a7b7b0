#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zz {

// A colour as (R, G, B), kept free of the GUI modules.
struct Rgb
{
    quint8 r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

namespace Colors {
inline constexpr Rgb PaleRed{255, 192, 192};
inline constexpr Rgb PaleYellow{255, 255, 192};
inline constexpr Rgb PaleGreen{192, 255, 192};
inline constexpr Rgb PaleBlue{192, 192, 255};
inline constexpr Rgb PaleCyan{192, 255, 255};
inline constexpr Rgb PaleMagenta{255, 192, 255};
} // namespace Colors

// One data row of a list as the user sees it: the cell texts, and the background
// of the cells that have one (by column).
struct TableRow
{
    QStringList cells;
    QMap<int, Rgb> backgrounds;
};

// The change mark of a shown difference, decided from the text itself (its
// leading number), so 0.04 shown as "0.0Kg" is "→".
struct ChangeMark
{
    QString mark; // "↑", "→", "↓"
    Rgb background;
};
ChangeMark ChangeMarkOf(const QString &shownDifference);

} // namespace zz
