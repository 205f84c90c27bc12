#pragma once

#include "decoder/StructInfo.h"

#include <QString>

class TDMDLL;

// A decode of whatever was pasted, as the main window and velmora-decode do it.
struct PastedCaseNumber
{
    // What the decoder was given: the first arbitration number found, or the
    // text cleaned as a typed number when it holds none.
    QString number;
    StructInfo info;
    // For a number of another court that the decoder could not place, the
    // line that says whose it is; empty otherwise.
    QString explanation;
};

PastedCaseNumber decodePasted(TDMDLL &decoder, const QString &pasted);
