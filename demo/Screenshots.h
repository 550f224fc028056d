#pragma once

#include <QList>
#include <QSize>
#include <QString>

// Renders the demo's screens at each size into PNG files in `dir` and prints
// where they went. Returns false when a file could not be written.
bool RenderScreenshots(const QString& dir, const QList<QSize>& sizes);
