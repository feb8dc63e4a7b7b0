#include "base/tablerow.h"

#include "base/numbers.h"

namespace zz {

ChangeMark ChangeMarkOf(const QString &shownDifference)
{
    // The shown text decides, not the unrounded value: 0.04 shown as "0.0Kg" is
    // no change.
    const double difference = LeadingNumber(shownDifference);
    if (difference > 0)
        return {QStringLiteral("↑"), Colors::PaleRed};
    if (difference < 0)
        return {QStringLiteral("↓"), Colors::PaleGreen};
    return {QStringLiteral("→"), Colors::PaleYellow};
}

} // namespace zz
