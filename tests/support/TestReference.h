#pragma once

#include "support/ScratchDatabase.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// Where a test's reference data lives: a file of its own, or a database of its
// own on the test server. Fixture SQL is written so that both engines take it.
class TestReference
{
public:
    enum class Engine { File, Server };

    TestReference(Engine engine, const QString &sql);

    Engine engine() const { return m_engine; }
    // What the program is given: a file path or a server URI.
    QString location() const;
    void execute(const QString &sql) const;
    QStringList rows(const QString &query) const;

private:
    Engine m_engine;
    std::optional<ScratchDatabase> m_file;
    QString m_serverDatabase;
};

std::string engineName(TestReference::Engine engine);
