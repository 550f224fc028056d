#pragma once
// Row delegate of the picked-lines table of the online-order panel.
//
// While the panel is picking, column 0 carries a remove picture and column 2
// the picked quantity between a minus and a plus picture; a line sold by
// weight shows a caption button instead ("去称重" until it has been weighed,
// then its weight) that sends the line to the scale. A left-button release on
// one of these areas emits the matching signal. The horizontal positions of
// the pictures are those of the last painting and are shared by all rows.

#include "kxpostradeui_export.h"

#include <QFont>
#include <QItemDelegate>
#include <QMap>
#include <QModelIndex>
#include <QPixmap>
#include <QString>

#include <memory>

class QPushButton;

class KXPOSTRADEUI_EXPORT StandardDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    // A delegate without buttons; sizes from KxPosConfig::dRate.
    explicit StandardDelegate(QObject* parent = nullptr);
    ~StandardDelegate() override;

    // Quantity, weigh and remove buttons are drawn and answer clicks only
    // while this is on.
    void SetShowButtons(bool show);
    // True while the buttons are drawn and answer clicks.
    bool ShowButtons() const { return m_showButtons; }
    // Row -> the line's "sold by weight" flag ("1": weighed line).
    void SetWeighRows(const QMap<int, QString>& rows);
    // The flags of SetWeighRows().
    QMap<int, QString> WeighRows() const { return m_weighRows; }
    // "0": the lines of a pick-up cannot be removed, so no remove picture is
    // drawn; any other text draws it.
    void SetModeText(const QString& text);
    // The text of SetModeText().
    QString ModeText() const { return m_modeText; }

    // Sizes taken from KxPosConfig::dRate at construction: the height of the
    // weigh caption button and the side of the pictures.
    //@{
    int TextSize() const { return m_textSize; }
    int PictureSize() const { return m_pictureSize; }
    //@}

    // Width of a click area beside a picture position.
    static constexpr int ClickWidth = 39;

    // Caption of a weighed line that still has to be weighed.
    static QString WeighCaption();

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

signals:
    // One less of the line at `index`: a release right of the minus picture.
    void signMinusOne(QModelIndex index);
    // One more of the line at `index`: a release left of the plus picture.
    void signAddOne(QModelIndex index);
    // Weigh the line at `row`: a release on the quantity of a weighed line.
    void signWeightProd(int row);
    // Remove the line at `index`: a release right of the remove picture.
    void signRemove(QModelIndex index);

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    // A picture position before the picture was drawn.
    static constexpr int NoPosition = -1000000;

    void PaintQuantity(QPainter* painter, const QRect& cell, const QModelIndex& index) const;
    void PaintWeighCaption(QPainter* painter, const QRect& cell, const QString& caption) const;
    int Style(const char* name, int fallback) const;

    int m_textSize;
    int m_pictureSize;
    bool m_showButtons = false;
    QMap<int, QString> m_weighRows;
    QString m_modeText;
    QFont m_nameFont;
    QFont m_quantityFont;
    QFont m_captionFont;
    QFont m_numberFont;
    QPixmap m_minusPicture;
    QPixmap m_plusPicture;
    QPixmap m_removePicture;
    std::unique_ptr<QPushButton> m_captionButton; // gives the weigh caption its button look
    // Positions of the last painting, in the view's coordinates: left edge of
    // the remove and of the minus picture, right edge of the plus picture.
    mutable int m_removeX = NoPosition;
    mutable int m_minusX = NoPosition;
    mutable int m_plusX = NoPosition;
};
