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
    explicit TitleWidget(QWidget* parent = nullptr);
    ~TitleWidget() override;

    void SetTitle(const QString& title);
    QString title() const;
    void SetCloseButtonVisible(bool visible);
    QPushButton* closeButton() const { return m_closeButton; }

signals:
    void SignButtonCloseClicked();

private:
    QLabel* m_titleLabel;
    QPushButton* m_closeButton;
};
