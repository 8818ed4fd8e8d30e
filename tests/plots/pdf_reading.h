// Reading back the PDFs the program writes: pages, page size, what the
// page content draws, and the text a reader would copy.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <optional>

namespace korin::testing {

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int PageCount(const QByteArray& pdf) {
  static const QRegularExpression kPage(QStringLiteral(R"(/Type\s*/Page(?!s))"));
  return static_cast<int>(QString::fromLatin1(pdf).count(kPage));
}

// The first page's MediaBox width and height in points.
inline QSizeF MediaBox(const QByteArray& pdf) {
  static const QRegularExpression kBox(
      QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
  const auto match = kBox.match(QString::fromLatin1(pdf));
  if (!match.hasMatch()) return {};
  return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

// Every stream of the file, Flate-compressed ones inflated, one after the
// other: page contents and font programs alike.
inline QByteArray Streams(const QByteArray& pdf) {
  QByteArray all;
  qsizetype at = 0;
  while ((at = pdf.indexOf("stream\n", at)) >= 0) {
    if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
      at += 7;
      continue;
    }
    const qsizetype start = at + 7;
    const qsizetype end = pdf.indexOf("endstream", start);
    if (end < 0) break;
    const qsizetype object = pdf.lastIndexOf(" obj", at);
    if (pdf.mid(object, at - object).contains("/FlateDecode")) {
      // qUncompress wants the inflated size first; a guess will do, it grows.
      QByteArray packed(4, '\0');
      qToBigEndian<quint32>(static_cast<quint32>((end - start) * 4), packed.data());
      all += qUncompress(packed + pdf.mid(start, end - start));
    } else {
      all += pdf.mid(start, end - start);
    }
    all += '\n';
    at = end;
  }
  return all;
}

// How many times the page content draws with `op` ("l" a line segment,
// "c" a curve, "re" a rectangle, "Do" an image or form).
inline int OperatorCount(const QByteArray& streams, const char* op) {
  const QRegularExpression kOp(QStringLiteral(R"((?<=\s)%1(?=\s))").arg(QLatin1String(op)));
  return static_cast<int>(QString::fromLatin1(streams).count(kOp));
}

// The text pdftotext finds, or nothing when poppler-utils is missing.
inline std::optional<QString> PdfText(const QString& pdf) {
  const QString tool = QStringLiteral(KORIN_PDFTOTEXT);
  if (!QFileInfo(tool).isExecutable()) return std::nullopt;
  QProcess process;
  process.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput());
}

// `text` without any white space, so that a line wrapped on the page reads
// as one.
inline QString Unspaced(QString text) {
  static const QRegularExpression kSpace(QStringLiteral(R"(\s+)"));
  return text.remove(kSpace);
}

}  // namespace korin::testing
