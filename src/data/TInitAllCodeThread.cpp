#include "data/TInitAllCodeThread.h"

#include "data/untDataM.h"

namespace kvam {

TInitAllCodeThread::TInitAllCodeThread(TDataM &dataModule, TaskReporter &reporter)
    : TWorkerThread(
          [&dataModule](TaskReporter &r) {
              r.setStatus(QStringLiteral("正在初始化程序----------------"));
              dataModule.InitAllCode();
          },
          reporter)
{
    start();
}

} // namespace kvam
