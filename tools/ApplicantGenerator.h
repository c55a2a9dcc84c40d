#pragma once

#include <QString>
#include <cstdint>

struct sqlite3;

namespace kvam {

// Makes up applicants that look real: valid 18-digit identity numbers with the
// birth date inside, names from the sample names, every coded field a code of
// its table (read from the database it writes to), supervising units derived
// from the work unit. The same seed gives the same rows.
class ApplicantGenerator {
public:
    explicit ApplicantGenerator(std::uint64_t seed);

    // Inserts count applicants into grjbxx00 of db inside the caller's
    // transaction. Returns false with *error on failure.
    bool insert(sqlite3 *db, int count, QString *error);

private:
    std::uint64_t m_state;
};

} // namespace kvam
