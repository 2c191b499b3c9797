// The user's number separators, read from their locale once when the program starts.
#pragma once

#include "core/numbertext.h"

#include <QLocale>

namespace zental {

inline Separators separatorsOf(const QLocale& locale) {
    // Locales that group with blanks use a no-break space; Qt reports it as such.
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

} // namespace zental
