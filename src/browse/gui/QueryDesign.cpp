#include "browse/gui/QueryDesign.h"

#include "app/untGlobal.h"
#include "browse/QueryCondition.h"
#include "browse/gui/comquery.h"

namespace kvam {

bool customiseQueryCondition(TfrmQueryTj &builder)
{
    fillQueryFields();
    builder.setTag(0);
    builder.exec();
    if (builder.tag() == 1)
        return true;
    ResetQueryCondition();
    return false;
}

} // namespace kvam
