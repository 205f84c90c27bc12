#pragma once

#include <QString>
#include <QStringList>

// Documents the tests make with the program's own toolkit: a PDF with a text
// layer (one page per entry, drawn with Qt's PDF writer) and a PDF of the
// same kind holding only a picture, as a scanner makes it. They need a
// QGuiApplication for the fonts.
namespace DocumentFixtures {

void writeTextPdf(const QString &path, const QStringList &pages);
void writeScannedPdf(const QString &path);

} // namespace DocumentFixtures
