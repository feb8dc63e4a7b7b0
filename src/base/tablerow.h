#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <QtGlobal>
#include <algorithm>

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

// The backgrounds of the few cells of a row that have one, by column. Kept
// inline: lists of 50,000 rows are built, and a map per row would cost an
// allocation per row and per colour.
class CellColours
{
public:
    CellColours() = default;
    CellColours(std::initializer_list<std::pair<int, Rgb>> entries)
    {
        for (const auto &[column, rgb] : entries)
            insert(column, rgb);
    }
    void insert(int column, Rgb rgb)
    {
        for (auto &entry : m_entries)
            if (entry.first == column) {
                entry.second = rgb;
                return;
            }
        m_entries.append({column, rgb});
    }
    Rgb value(int column, Rgb fallback = {}) const
    {
        for (const auto &entry : m_entries)
            if (entry.first == column)
                return entry.second;
        return fallback;
    }
    QList<int> keys() const
    {
        QList<int> columns;
        for (const auto &entry : m_entries)
            columns.append(entry.first);
        std::sort(columns.begin(), columns.end());
        return columns;
    }
    bool contains(int column) const
    {
        for (const auto &entry : m_entries)
            if (entry.first == column)
                return true;
        return false;
    }
    bool isEmpty() const { return m_entries.isEmpty(); }
    auto begin() const { return m_entries.cbegin(); }
    auto end() const { return m_entries.cend(); }

private:
    QVarLengthArray<std::pair<int, Rgb>, 2> m_entries;
};

// Whether a long list's rows are made with the rest of its view, or left to
// be made one at a time when the list shows them.
enum class ListRows { Made, Left };

// One data row of a list as the user sees it: the cell texts, and the background
// of the cells that have one (by column).
struct TableRow
{
    QStringList cells;
    CellColours backgrounds;
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
