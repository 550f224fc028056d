#pragma once
// Base of the full-screen checkout screens.
//
// A KxWidget follows the current language: when the shared translator
// announces a new language it calls Retranslate() and then
// UpdateTranslation() of the most derived screen. It also carries the static
// helpers that every screen uses for scaling, paging, number formatting and
// table headers.
//
// A screen that opens over another one (the coupon screen, the deposit and
// pick-up screens) calls MakeSecondaryWindow() in its constructor: given a
// parent it is then a window of its own over the parent's window, modal to
// it, centred over it and kept on its display whenever it is shown. Every
// top-level screen comes to the front with the keyboard when it is shown,
// and gives the keyboard back to the window beneath when it is hidden.

#include "contracts/KxTranslateBase.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/kxposcontracts_export.h"

#include <QString>
#include <QVector>
#include <QWidget>

class QAbstractItemModel;
class QCloseEvent;
class QHideEvent;
class QShowEvent;
class QTableView;
class QTableWidget;

class KXPOSCONTRACTS_EXPORT KxWidget : public QWidget, public KxTranslateBase
{
    Q_OBJECT
public:
    // A screen that follows the translator's language changes.
    explicit KxWidget(QWidget* parent = nullptr);
    ~KxWidget() override;

    // Screens override both; the defaults do nothing.
    void Retranslate() override;
    void UpdateTranslation() override;

    // `length` given for a design screen `designWidth` pixels wide (or
    // `designHeight` high), scaled to KxPosConfig::iAppWidth (iAppHeight),
    // rounded to the nearest pixel. A design size of 0 or less, or an unknown
    // application size, returns `length` unchanged.
    //@{
    static int calcWidth(int length, int designWidth);
    static int calcHeight(int length, int designHeight);
    //@}

    // Design height class of the current screen: 600, 768 or 1080 (the
    // smallest class whose height is at least KxPosConfig::iAppHeight).
    static int DesignHeight();

    // Pages needed for `itemCount` items at `columns` x `rows` a page, of
    // which `reserved` cells per page hold no item (paging keys). Always at
    // least 1; a page without room for an item counts as one item per page.
    static int GetPageCount(int itemCount, int columns, int rows, int reserved);

    // `value` with exactly `decimals` decimals (negative decimals count as 0).
    static QString formatNumber(double value, int decimals);

    // Horizontal header texts from message numbers, one per column in order;
    // a number of 0 or less gives an empty header. Null-safe.
    //@{
    static void SetTableHeader(QAbstractItemModel* model, const QVector<TransMsgId>& ids);
    static void SetTableHeader(QTableWidget* table, const QVector<TransMsgId>& ids);
    //@}

    // Scroll a table view one visible page up or down and make the first
    // (last) row of the new page current. Null-safe.
    //@{
    static void TableViewPrePage(QTableView* view);
    static void TableViewNextPage(QTableView* view);
    //@}

public slots:
    // Shows the screen. Derived screens call KxWidget::show() from their own
    // show() after refreshing their data.
    void show();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Makes this screen a window of its own, modal to its parent's window
    // while it is shown. Without a parent it is an independent window that
    // blocks nothing. Call from the constructor, before the first show.
    void MakeSecondaryWindow();

private slots:
    void onLanguageChanged(const QString& language);
};
