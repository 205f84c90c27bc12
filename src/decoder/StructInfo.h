#pragma once

#include <QList>
#include <QString>

#include <utility>

// What a decode found, field by field; every field is empty until filled.
struct StructInfo
{
    // The texts of error: the court was found, or no court has the code.
    static inline const QString FoundStatus = QStringLiteral("OK");
    static inline const QString NotFoundStatus = QStringLiteral("NO Found !!!");

    QString snum; // composition number
    QString stype; // composition type
    QString sfaxnum; // composition fax number
    QString sudname; // court name
    QString jobnum; // number of the case in the year
    QString year; // year as typed
    QString jobnum_in_struct; // number of the case within the division
    QString codsud; // court code
    QString sepnum; // division number
    QString error; // FoundStatus or NotFoundStatus
    QString otdelphone; // division telephone, cleared when the division is not found
    QString vnphone; // division internal telephone
    QString zal; // hall
    QString floor; // floor
    QString otdphone; // division telephone as the main window shows it
};

// The fields with their names, in record order, for output meant for other programs.
QList<std::pair<QString, QString>> namedFields(const StructInfo &info);
