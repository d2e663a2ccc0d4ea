// Conversions between the core's texts and Qt's strings.
#pragma once

#include <QList>
#include <QString>

#include "core/text.h"

namespace vamplet {

inline QString ToQString(const Text& text) {
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text FromQString(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  return Text(codes.begin(), codes.end());
}

}  // namespace vamplet
