// Creates, wires and feeds the sales screen through the installed package.
#include "contracts/KxPosConfig.h"
#include "trade/TradeWidget.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    KxPosConfig::SetAppSize(1024, 768);
    TradeWidget screen(0, nullptr);
    QString added;
    QObject::connect(&screen, &TradeWidget::SignTrdAddProduct, [&added](const QString& code) { added = code; });
    QList<KxPosPluDetail> lines;
    screen.rebindModel(lines, {});
    screen.show();
    screen.getUiQLineEdit(26)->setText(QStringLiteral("6901234567892"));
    QMetaObject::invokeMethod(&screen, "on_btnOK_released");
    return added == QLatin1String("6901234567892") ? 0 : 1;
}
