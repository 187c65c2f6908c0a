// Comparing texts as the user's language orders them, letter case ignored.
#pragma once

#include <QCollator>
#include <QString>

namespace kamelune {

// A collator of the user's locale that ignores letter case. The C locale (no language set)
// would compare code points with case: English rules stand in for it.
QCollator UserCollator();

// < 0, 0 or > 0.
int CompareTextLocale(const QString& a, const QString& b);

} // namespace kamelune
