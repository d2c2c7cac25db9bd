#pragma once

#include <QString>

namespace zoz {

class IniCache;
class Shell;

// The main window's left, top and height in the settings file, in twips (15 per logical pixel)
// so that settings files stay interchangeable with the original program.

// Keys prefix + "X", "Y", "H"; a missing or empty key gives 0, a negative X or Y becomes 0.
void RestoreFormPosition(Shell& shell, const QString& fileName, const QString& section,
                         const QString& prefix, IniCache* cache = nullptr);
// Writes only while the window is in its normal state, so the last normal position is kept.
void SaveFormPosition(const Shell& shell, const QString& fileName, const QString& section,
                      const QString& prefix, IniCache* cache = nullptr);

// The leading decimal number of a text (blanks before it skipped, the fraction cut off), held
// to a 16-bit whole number; 0 when the text does not begin with a number.
int LeadingInt16(const QString& text);

} // namespace zoz
