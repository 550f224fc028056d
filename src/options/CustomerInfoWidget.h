#pragma once
// Customer information form: identity-card number and address (province,
// city and district from cascading lists, plus a free detailed address).
//
// The host loads the area tree with GetAreas(), may preset an ID number with
// InitView() that the customer must confirm, and runs the form with exec().
// exec() returns 1 after a successful finish, 0 after close; the result is
// then in customerInfo.
//
// Keys: F1 province list, F2 city list, F3 district list, F4 address box,
// F5 ID box, F6 finish, F7 close; digits and space type into the box that
// has the focus; Enter moves from the address to the ID box and finishes
// from there. Other keys go to the host through
// SignCustomerInfoWidgetKeyPressed.

#include "kxpostradeui_export.h"

#include "contracts/KxDialog.h"
#include "contracts/KxPosModel.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class KeyBoardWidget;
class MessageWidget;
class QComboBox;
class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;
class QuestionMessage;

namespace Ui {
class CustomerInfoWidget;
}

class KXPOSTRADEUI_EXPORT CustomerInfoWidget : public KxDialog
{
    Q_OBJECT
public:
    // One city of the area tree with its districts.
    struct City {
        // City name.
        QString name;
        // District names of the city.
        QStringList districts;
    };
    // One province with its cities.
    struct Province {
        // Province name.
        QString name;
        // Cities of the province.
        QList<City> cities;
    };

    // An application-modal form with an on-screen keyboard and an empty area
    // tree; screen type 0 hides the title.
    CustomerInfoWidget(int screenType, QWidget* parent = nullptr);
    ~CustomerInfoWidget() override;

    // Loads the area tree: a JSON array of provinces, each {"name", "child":
    // [cities]}, each city {"name", "child": [districts]}, each district
    // {"name"}. On failure `error` holds the reason and the tree loaded
    // before stays in place.
    bool GetAreas(QString json, QString& error);
    // Presets the ID number: the box shows it and the entered number must
    // equal it. An empty text removes the preset. The preset lasts one run:
    // finishing, closing or hiding the form forgets it.
    void InitView(QString id);
    // Shows the form full screen and runs it until finish (1) or close (0).
    int exec() override;
    // The cities of the province chosen.
    const QList<City>& CurrentCities() const { return currentCities; }
    // The ID number preset with InitView(); empty when none.
    QString PresetId() const { return presetId; }
    // The area tree text last loaded with GetAreas().
    QString AreaJson() const { return areaJson; }
    // The constructor's `screenType`.
    int ScreenType() const { return m_screenType; }

    // Form widgets by number; an unknown number gives a shared placeholder.
    // Line edits: 0 ID box, 1 address box. Combo boxes: 0 province, 1 city,
    // 2 district. Widgets: 0 content frame, 1 keyboard panel, 2 title frame.
    // Buttons: 0 finish, 1 close. Labels: 0 title, 1 key line.
    //@{
    QLineEdit* getUiQLineEdit(int id);
    QComboBox* getUiQComboBox(int id);
    QWidget* getUiQWidget(int id);
    QPushButton* getUiQPushButton(int id);
    QLabel* getUiQLable(int id);
    //@}

    void Retranslate() override;
    void UpdateTranslation() override;

    // The result, filled on finish.
    KxPosCustomerInfo customerInfo;

signals:
    // A key the form does not handle: `screenName` is "CustomerInfoWidget",
    // `key` the Qt key code.
    void SignCustomerInfoWidgetKeyPressed(QString screenName, int key);

public slots:
    // Finishes (F6): fills customerInfo and ends exec() with 1. Refused with a
    // message when the ID number is not empty and not 18 characters (2289) or
    // differs from the preset one (2290, 2291), or when province, city or
    // address is empty (2292).
    void on_btnFinish_clicked();
    // Closes (F7): empties both boxes and ends exec() with 0.
    void on_btnClose_clicked();
    // As on_btnClose_clicked().
    void CloseCustomerInfoWidget();
    // Opens the province list (F1).
    void ChooseProvince();
    // Opens the city list (F2).
    void ChooseCity();
    // Opens the district list (F3).
    void ChooseArea();
    // A province was chosen: the city list gets its cities, the district list
    // is emptied.
    void SlotComboBoxProvOK(int index);
    // A city was chosen: the district list gets its districts.
    void SlotComboBoxCityOK(QString name);
    // A district was chosen: the address box takes the focus.
    void SlotComboBoxAreaOK(QString name);
    // Types `text` into the box that has the focus.
    void SlotCustomerInfoWidgetPress(QString text);
    // Deletes the character before the cursor in the box that has the focus.
    void Backpace();
    // Enter: from the address box to the ID box; in the ID box it finishes as
    // on_btnFinish_clicked().
    void crHandler();
    // An on-screen key: "space" types a space, "ok" is Enter, "clear" empties
    // the focused box, "backspace" deletes before its cursor, "input" does
    // nothing, any other key types its text.
    void SlotOtkKeyBoardKeyPressed(QString key);
    // As SlotOtkKeyBoardKeyPressed().
    void OtkKeyBoardKeyPressed(QString key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Tests read state that hosts are not offered through this class.
    friend class KxPosTestAccess;

    // True while exec() runs its loop.
    bool isRunning() const { return !m_loop.isNull(); }

    QLineEdit* focusedEdit() const;
    void focusEdit(QLineEdit* edit);
    void showError(const QString& text);
    void endLoop(int code);

    QString areaJson;
    int m_screenType;
    Ui::CustomerInfoWidget* ui;
    KeyBoardWidget* keyboard;
    QPointer<QEventLoop> m_loop;
    MessageWidget* messageWidget;
    QuestionMessage* questionMessage;
    QList<Province> provinces;
    QList<City> currentCities;
    QString presetId;
    // The box that had the focus last: the on-screen keys take no focus, so
    // they type into it even while the focus is elsewhere.
    QLineEdit* m_currentEdit = nullptr;
};
