#pragma once

#include <QList>
#include <QString>

// One case number a benchmark decodes, with what a right answer holds.
struct CaseNumberSample
{
    QString number;
    QString courtCode;
    QString courtName;
    QString division;
    // Telephone of the row the decoder's join lists first for this court and
    // division number: the row the decoder must answer with. Telephones are
    // unique in the generated files, so it names one division.
    QString phone;
};

// A few case numbers per kind of lookup, taken from the divisions spread
// through a generated file, so that the decodes do not all hit the same pages.
class CaseNumberSamples
{
public:
    // Read from the file once per run and kept.
    static const CaseNumberSamples &of(const QString &path);

    QList<CaseNumberSample> found;
    // Same courts, with a division number that no division has.
    QList<CaseNumberSample> divisionMissing;
    // A court code that no court has.
    QList<CaseNumberSample> courtMissing;

private:
    static CaseNumberSamples read(const QString &path);
};
