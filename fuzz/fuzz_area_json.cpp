// The customer form's area tree: a JSON array of provinces, each with its
// cities and districts under "child".

#include "TestAccess.h"
#include "FuzzSupport.h"

#include "options/CustomerInfoWidget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static CustomerInfoWidget* form = new CustomerInfoWidget(0, nullptr);
    QString error;
    const QString json = KxPosFuzz::text(data, size);
    const int before = KxPosTestAccess::Provinces(*form).size();
    if (form->GetAreas(json, error)) {
        form->InitView(QString());
    } else if (KxPosTestAccess::Provinces(*form).size() != before || error.isEmpty()) {
        abort(); // a refused tree must leave the loaded one and say why
    }
    if (form->AreaJson() != json)
        abort(); // the text last given is kept
    return 0;
}
