#pragma once

namespace kvam {

class TfrmQueryTj;

// The main window's "查询定制" without "查询全部": offers the eleven query
// fields, shows the builder and answers whether the records must be opened
// again. When the builder was cancelled the condition selects nothing.
bool customiseQueryCondition(TfrmQueryTj &builder);

} // namespace kvam
