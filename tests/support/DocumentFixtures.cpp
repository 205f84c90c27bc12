#include "DocumentFixtures.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

namespace DocumentFixtures {

void writeTextPdf(const QString &path, const QStringList &pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    if (!painter.isActive())
        throw std::runtime_error("cannot write the PDF fixture");
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 11));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(QRect(0, 0, writer.width(), writer.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         pages.at(i));
    }
}

void writeScannedPdf(const QString &path)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    if (!painter.isActive())
        throw std::runtime_error("cannot write the PDF fixture");
    QImage scan(400, 300, QImage::Format_RGB32);
    scan.fill(Qt::white);
    QPainter(&scan).fillRect(40, 40, 300, 10, Qt::black);
    painter.drawImage(QRect(0, 0, writer.width() / 2, writer.height() / 3), scan);
}

} // namespace DocumentFixtures
