#pragma once
// Helpers shared by the QTest programs.

#include <QObject>
#include <QPair>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QWidget;

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

// The common start of a screen test program: the strict message handler, the
// meta types of the shared records (for queued signals and QSignalSpy) and
// the Chinese texts. Returns false when the texts cannot be loaded, so call
// it as QVERIFY(initScreenTestCase()) from initTestCase().
bool initScreenTestCase();

// Empties what the message boxes recorded under the offscreen platform:
// MessageWidget's messages, QuestionMessage's questions and its queue of
// answers (an empty queue answers 0, "no").
void resetMessageSeams();

// The state one screen test starts from: a fresh configuration folder, the
// 1024 x 768 application size, no project code, coupons in exchange mode
// (not deduction) and empty message-box records. On destruction the previous
// configuration folder, the Chinese texts and the default project code and
// coupon mode come back, so a test that switched them does not leak them into
// the next one. Create it in init() and destroy it in cleanup().
class ScreenTestFixture
{
public:
    ScreenTestFixture();
    ~ScreenTestFixture();
    ScopedConfigDir& config() { return m_config; }

private:
    ScopedConfigDir m_config;
};

// Base of the screen test programs: initTestCase() runs initScreenTestCase()
// and every test function runs inside its own ScreenTestFixture. A program
// that needs more per-test set-up declares its own init()/cleanup() slot and
// calls ScreenTestCase::init()/cleanup() from it.
class ScreenTestCase : public QObject
{
    Q_OBJECT

protected:
    // The configuration folder of the running test function.
    ScopedConfigDir& config();

protected slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    std::unique_ptr<ScreenTestFixture> m_fixture;
};

// Fails the running test with "form object <name> missing" and stops the
// program (the test cannot go on without the object). Used by child().
[[noreturn]] void failMissingChild(const char* name, const char* type);

// The named descendant of `parent` (a form object of a screen). A missing one
// fails the test naming the object instead of dereferencing a null pointer.
template<class T>
T* child(const QObject* parent, const char* name)
{
    T* object = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!object)
        failMissingChild(name, T::staticMetaObject.className());
    return object;
}

// Clicks the named button of `parent` with the left mouse button.
void clickChild(const QObject* parent, const char* name);

// The widget's rectangle in screen coordinates (for comparing the places of
// widgets that have different parents).
QRect globalRect(const QWidget* widget);

// The text of message or caption number `id` in the current language.
QString translated(int id);

// The value of the widget's "showType" property, which the style sheet keys on.
QString showType(const QWidget* widget);

// The texts of the messages MessageWidget recorded, oldest first.
QStringList messageTexts();

// The text of the last message MessageWidget recorded; empty when none.
QString lastMessageText();

// A MessageWidget record of message `id` under the notice title (1969), as
// (text, title).
QPair<QString, QString> notice(int id);

} // namespace KxPosTest
