#include "DemoNotice.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

namespace {
const QString BoxName = QStringLiteral("demoNotice");
}

void DemoNotice::Show(QWidget* over, const QString& text)
{
    if (!over)
        return;
    auto* box = over->findChild<MessageWidget*>(BoxName, Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new MessageWidget(0, over);
        box->setObjectName(BoxName);
    }
    box->showMessage(text, KxPosTranslator::GetTranslation(1969), 3, false);
}

QString DemoNotice::Text(const QString& zh, const QString& en)
{
    return KxPosConfig::sLanguage.startsWith(QLatin1String("en")) ? en : zh;
}
