#pragma once

namespace mivo {

struct RenderOptions;

// mivo-render --batch: one page per row of the batch file, into one PDF or one file per row.
// Returns the exit status: 0 when every row made its page, 1 when a row was bad or a page
// failed (said on standard error with the row's line), 2 when the file cannot be read.
int runBatch(const RenderOptions& options);

} // namespace mivo
