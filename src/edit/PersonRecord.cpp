#include "edit/PersonRecord.h"

namespace kvam {

TGrxx CurGrxx;

} // namespace kvam
