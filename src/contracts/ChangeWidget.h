#pragma once
// Change-due popup of the sales screen. It shows the change amount large and
// stays non-modal so the sales screen keeps running. Any key or the OK button
// closes it; the key that closed it goes out once through
// SignTradeChgClosed(key, text) so that the screen can start the next entry
// with it (key 0 and an empty text when closed by a click).

#include "contracts/KxDialog.h"
#include "contracts/kxposcontracts_export.h"

#include <QString>

class QLabel;
class QPushButton;

class KXPOSCONTRACTS_EXPORT ChangeWidget : public KxDialog
{
    Q_OBJECT
public:
    // The popup of a screen of type `screenType`, hidden until showMessage().
    explicit ChangeWidget(int screenType, QWidget* parent = nullptr);
    ~ChangeWidget() override;

    // Shows `amount` (already formatted) as the change due; `kind` is kept
    // for the style sheet ("showType" "change" for 0, "changeN" otherwise).
    void showMessage(QString amount, int kind = 0);

    // The amount shown, as given to showMessage().
    QString amount() const;
    // The constructor's `screenType`.
    int screenType() const { return m_screenType; }

    void Retranslate() override;
    void UpdateTranslation() override;

signals:
    // The popup closed: the Qt key code and text of the key that closed it, or
    // 0 and an empty text for a click.
    void SignTradeChgClosed(int key, QString text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Hides the popup and emits the signal, once per showing.
    void closeWith(int key, const QString& text);

    int m_screenType;
    bool m_open = false;
    QLabel* m_captionLabel;
    QLabel* m_amountLabel;
    QPushButton* m_okButton;
};
