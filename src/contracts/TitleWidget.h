#pragma once
// Title bar of a screen: a title label and a close button.

#include "contracts/kxposcontracts_export.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

class KXPOSCONTRACTS_EXPORT TitleWidget : public QWidget
{
    Q_OBJECT
public:
    // An empty title with a visible close button.
    explicit TitleWidget(QWidget* parent = nullptr);
    ~TitleWidget() override;

    // Shows `title`.
    void SetTitle(const QString& title);
    // The title shown.
    QString title() const;
    // Shows or hides the close button.
    void SetCloseButtonVisible(bool visible);
    // The close button (its click emits SignButtonCloseClicked()).
    QPushButton* closeButton() const { return m_closeButton; }

signals:
    // The close button was clicked.
    void SignButtonCloseClicked();

private:
    QLabel* m_titleLabel;
    QPushButton* m_closeButton;
};
