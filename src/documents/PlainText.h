#pragma once

#include "documents/TextPiece.h"

#include <QByteArray>
#include <QString>

// Plain text and CSV as Russian offices save them: UTF-8 (with or without a
// byte-order mark), UTF-16 with a byte-order mark, or Windows-1251 when the
// bytes are not UTF-8.
QString decodePlainText(const QByteArray &bytes);

// The text line by line, numbered from 1. False when the sink stopped it.
bool readTextLines(const QString &text, const TextSink &sink);
