#pragma once
// Yes/no question box. Enter or Return answers yes, Escape answers no.
//
// Without a user (Qt platform "offscreen" or KXPOS_NONINTERACTIVE=1) the box
// does not run: the answer is taken from the queue filled by QueueAnswers()
// (0, no, when the queue is empty). Every question is recorded (History()).

#include "contracts/KxDialog.h"
#include "contracts/kxposcontracts_export.h"

#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;

class KXPOSCONTRACTS_EXPORT QuestionMessage : public KxDialog
{
    Q_OBJECT
public:
    // The question box of a screen of type `screenType`, hidden until asked.
    explicit QuestionMessage(int screenType, QWidget* parent = nullptr);
    ~QuestionMessage() override;

    // Asks `text` under `title` with the default captions (messages 2270 and
    // 1496). Returns 1 on yes, 0 on no.
    int ShowMessage(QString title, QString text);
    // The same with own captions. Returns 1 on yes, 0 on no.
    int ShowDialog(const QString& text, const QString& title, const QString& yesCaption,
                   const QString& noCaption);

    // The constructor's `screenType`.
    int screenType() const { return m_screenType; }

    void Retranslate() override;
    void UpdateTranslation() override;

    // Answers given, in order, to the next questions asked without a user.
    static void QueueAnswers(const QList<int>& answers);
    // Texts of the questions asked, oldest first (the most recent 500).
    static QStringList History();
    // Empties the history and the answer queue.
    static void ClearHistory();

    // Message numbers of the default button captions.
    //@{
    static constexpr int YesMessageId = 2270;
    static constexpr int NoMessageId = 1496;
    //@}

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int ask(const QString& text, const QString& title, const QString& yesCaption,
            const QString& noCaption);

    int m_screenType;
    QLabel* m_titleLabel;
    QLabel* m_textLabel;
    QPushButton* m_yesButton;
    QPushButton* m_noButton;
    bool m_customCaptions = false;
};
