#pragma once
// Shared hidden placeholder widgets, one of each kind, returned by the
// screens' indexed accessors for numbers that name no widget, so that callers
// never receive null.
//
// The placeholders are created on first use (a QApplication must exist),
// never shown, and deleted when the application is about to quit (or at the
// latest when the QCoreApplication object is destroyed). Writing to them is
// harmless: nothing displays them.

#include "contracts/kxposcontracts_export.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;
class QToolButton;
class QWidget;

class KXPOSCONTRACTS_EXPORT UIComponentGapFiller
{
public:
    // The shared placeholder of each widget type.
    //@{
    static QWidget* getQWidget();
    static QLabel* getQLabel();
    static QLineEdit* getQLineEdit();
    static QPushButton* getQPushButton();
    static QToolButton* getQToolButton();
    static QComboBox* getQComboBox();
    static QListView* getQListView();
    static QTableView* getQTableView();
    static QTableWidget* getQTableWidget();
    static QStackedWidget* getQStackedWidget();
    //@}
};
