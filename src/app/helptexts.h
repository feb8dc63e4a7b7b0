#pragma once

#include <QString>
#include <QStringList>

namespace zz {

// The help document, beside the program or in its share folder.
QString HelpFileName(); // "KaruppaHelp.html"

// The help-tour explanations. Lines end with CR LF, including the last unless
// the text says otherwise.
enum class HelpPanel { Average, Analysis, Calendar, Memo, WholePeriod, Edit, Filter };

QString HelpTourText(HelpPanel panel);

// The three welcome boxes shown at startup, in order.
QStringList WelcomeTourTexts();

} // namespace zz
