#pragma once
// Helpers shared by the QTest programs.

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace KxPosTest {

// Installs a message handler that turns every Qt warning, critical or fatal
// message into a test failure (a stray "QObject::connect: No such signal"
// fails the test that caused it). Call once from initTestCase().
void installStrictMessageHandler();

// Announces one warning that the next code is expected to print: a warning
// containing `fragment` is then swallowed once instead of failing the test.
void expectWarning(const QString& fragment);

// Messages below warning level that were seen since the last call (for tests
// that check debug lines), oldest first; the list is emptied.
QStringList takeDebugMessages();

// A fresh, empty configuration folder for one test; KxPosConfig reads from it
// while the object lives, and the previous folder is restored afterwards.
class ScopedConfigDir
{
public:
    ScopedConfigDir();
    ~ScopedConfigDir();
    QString path() const;
    // Writes `key=value` into the named INI file (main file when empty).
    void set(const QString& key, const QString& value, const QString& file = QString());

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

} // namespace KxPosTest
