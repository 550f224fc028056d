#pragma once
// The drop-down list of an area (province, city, district) on the customer
// form. Area names run up to fifteen characters, longer than the box on
// small screens: the closed box shows the chosen name cut with an ellipsis
// and the whole name in its tooltip, and the open list is as wide as its
// longest name.

#include <QComboBox>

class AreaComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit AreaComboBox(QWidget* parent = nullptr);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString wholeText() const;
    // The text the closed box shows: the chosen name (or the placeholder),
    // cut to the box's text field.
    QString shownText() const;
    void updateToolTip();
};
