#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show texts, and lists of texts, readably in failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
