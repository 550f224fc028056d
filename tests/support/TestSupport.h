#pragma once
// Helpers shared by the QTest programs.

#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace KxPosTest {

// Turns every Qt warning, critical or fatal message into a failure of the
// running test (a stray "QObject::connect: No such signal" fails the test
// that caused it). Call once from initTestCase().
void installStrictMessageHandler();

// Makes the message boxes record instead of waiting for a user
// (KXPOS_NONINTERACTIVE=1) unless the environment already sets
// KXPOS_NONINTERACTIVE: the programs answer no notice themselves, on the
// offscreen platform as on a real X server. ScreenTestCase::initTestCase()
// calls it.
void answerNoMessageBoxes();

// Announces one warning that the next code is expected to print: a warning
// containing `fragment` is then swallowed once instead of failing the test.
void expectWarning(const QString& fragment);

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

// Empties what the message boxes recorded under the offscreen platform:
// MessageWidget's messages, QuestionMessage's questions and its queue of
// answers (an empty queue answers 0, "no").
void resetMessageSeams();

// Base of the screen test programs. initTestCase() installs the strict
// message handler, makes the message boxes record (answerNoMessageBoxes()),
// registers the shared records' meta types and loads the
// Chinese texts. Every test function starts from a fresh configuration
// folder, the 1024 x 768 application size, no project code, coupons in
// exchange mode and empty message-box records; afterwards the previous
// folder, the Chinese texts, the default project code and coupon mode come
// back. A program with more per-test set-up declares its own init()/cleanup()
// and calls these from it.
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
    std::unique_ptr<ScopedConfigDir> m_config;
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
