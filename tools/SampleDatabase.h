#pragma once

#include <QString>
#include <cstdint>

namespace kvam {

struct SampleOptions {
    int applicants = 0;
    std::uint64_t seed = 1;
};

// Writes a complete database to file: the schema, every sample code table,
// the status tables, the display names, the code-table list and the synthetic
// applicants. The file appears only when complete; an existing file is
// replaced. Returns false with *error on failure.
bool createSampleDatabase(const QString &file, const SampleOptions &options, QString *error);

} // namespace kvam
