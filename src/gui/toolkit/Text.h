// 8-bit text (paths, tags, resource names, the core's log lines) to and from
// the window's UTF-16 text. The Windows "ANSI code page" is, here, the
// locale's 8-bit encoding (UTF-8); bytes that are not valid UTF-8, as in
// names written on Windows, are shown as Windows-1252/Latin-1 would show them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace toolkit {

QString AnsiToString(std::string_view text);
std::string StringToAnsi(const QString& text);

}  // namespace toolkit
