#pragma once
// Shared set-up of the fuzz targets: one headless application, a scratch
// configuration folder and the Chinese texts, created on the first input.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace KxPosFuzz {

// Creates the application once; Qt's own messages are dropped so that only
// crashes and sanitizer reports end a run.
void ensureApplication();

// The input as text (invalid UTF-8 becomes replacement characters, as it
// would when read from a configuration file).
QString text(const uint8_t* data, size_t size);

} // namespace KxPosFuzz
