#pragma once

#include <QString>

#include <optional>

namespace kelvra::archive {

// Parsers of the archive's settings as the settings file and the command line write them. Each
// returns an empty string on success (and fills the value in), otherwise why the text cannot be
// used; the value is then left as it was.
QString parseFolder(const QString& text, QString& folder);
QString parseKeepDays(const QString& text, std::optional<int>& days);  // a whole number from 1 up
QString parseSwitch(const QString& text, bool& on);                    // true|false, yes|no, on|off, 1|0

}  // namespace kelvra::archive
