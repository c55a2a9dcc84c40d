#include "edit/RecordCheck.h"

namespace kvam {

RecordCheck requireText(const QString &text, const QString &label, const QString &focus)
{
    if (!text.trimmed().isEmpty())
        return {};
    return {QStringLiteral("您未正确填写") + label + QStringLiteral("信息，请检查后填写"), QStringLiteral("错误"),
            MsgIcon::Error, focus};
}

RecordCheck integerCode(const QString &name, const TCodeArray &table, const QString &label, int &code,
                        const QString &focus)
{
    const QString text = GetCodeByName(name, table);
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return {label + QStringLiteral("的代码“") + text + QStringLiteral("”不是数字，请检查代码表后再保存"),
                QStringLiteral("错误"), MsgIcon::Error, focus};
    code = value;
    return {};
}

} // namespace kvam
