#include "support/CodeTables.h"

#include "data/CodeCacheLoad.h"

namespace kvam::test {

bool loadCodeTables(QSqlDatabase db) { return LoadCodeCache(db); }

} // namespace kvam::test
