#include "toolkit/Text.h"

#include <QFile>
#include <QStringDecoder>

namespace toolkit {

QString AnsiToString(std::string_view text) {
  bool ascii = true;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  const auto size = static_cast<qsizetype>(text.size());
  if (ascii) return QString::fromLatin1(text.data(), size);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), size));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), size);
}

std::string StringToAnsi(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace toolkit
