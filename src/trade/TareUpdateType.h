#pragma once

#include <QMetaType>

// Kind of a tare-state change, exchanged between the weighing panel and the
// host together with a QVariant payload.
enum TareUpdateType {
    PresetTareSelected = 0, // payload: weight text of the preset
    PresetTareReleased = 1, // payload: weight text of the preset
    TareCleared = 2,        // payload: true
    TareTaken = 3           // payload: true
};

Q_DECLARE_METATYPE(TareUpdateType)
