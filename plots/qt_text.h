// Texts between the Qt-free core and the windows: core texts are UTF-8, and
// every control carries a name that tests and tracing find it by.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <string_view>

namespace korin {

[[nodiscard]] inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Messages and paths in the system's own 8-bit encoding, as file names
// come from and go to the system.
[[nodiscard]] inline QString LocalText(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// A path, or a message naming one, as file names come from the system:
// in its own encoding for them.
[[nodiscard]] inline QString PathText(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// A number text of the engine's as the user's locale shows it: the texts
// hold "." exactly where the locale puts its decimal separator, asked
// afresh every time.
[[nodiscard]] inline QString LocalisedNumber(std::string_view text) {
  return FromUtf8(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

// `widget` with the object name `name` (a designer name where it has one).
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace korin
