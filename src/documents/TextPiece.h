#pragma once

#include <QString>

#include <functional>

// A stretch of a document's text and where it stands there, as a reader
// shows it to the user: "строка 12", "стр. 3", "абзац 4", "Лист1!B2".
struct TextPiece
{
    QString text;
    QString place;
};

// Readers hand their pieces over one at a time, so a large document never
// sits in memory twice; the sink returns false to stop the reading early.
struct TextSink
{
    std::function<bool(const TextPiece &)> take;
    // How far the reading is, in units of the reader's own (bytes, pages);
    // may be left empty.
    std::function<void(qint64 done, qint64 total)> progress;
};
