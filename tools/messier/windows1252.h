// Text to Windows-1252 bytes for the delivered data files.
//
// Qt 6.4 has no built-in Windows-1252 codec: QStringConverter knows only the
// Unicode encodings and Latin-1, and the name-based QStringEncoder reaches other
// code pages only when Qt was built with ICU. The lists need a handful of
// German letters, so a small table does it and refuses anything else instead of
// writing a replacement character into a file the program will show.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace messier {

/// The bytes of text in Windows-1252, or nothing when the text holds a
/// character other than printable ASCII (space to tilde) and the German letters
/// Ä Ö Ü ä ö ü ß. The refused character, if any, is stored in *refused.
std::optional<QByteArray> ToWindows1252(const QString &text, QChar *refused = nullptr);

} // namespace messier
