#include "edit/UnitCodeEntry.h"

#include "data/CodeCache.h"
#include "edit/PersonRecord.h"

namespace kvam {

namespace {

const QString AllUnitsCode = QStringLiteral("0000000000000000");

} // namespace

UnitCodeEntry::LookupResult UnitCodeEntry::submit(const QString &text)
{
    if (UnitConfirmed)
        return {Lookup::AlreadyConfirmed, {}};
    if (m_form != UnitEntryForm::Editor)
        EnteredUnitCode = text;
    const QString name = GetCodeName(text, codeGZDW);
    if (name.isEmpty())
        return {Lookup::NotFound, {}};
    return {Lookup::Found, name};
}

void UnitCodeEntry::confirm(const QString &code)
{
    CurGrxx.z_gzdw = code;
    UnitConfirmed = true;
    if (m_form == UnitEntryForm::Editor)
        return;

    const qsizetype row = codeGZDW.indexOfCode(EnteredUnitCode);
    const bool reportForm = m_form == UnitEntryForm::Report || m_form == UnitEntryForm::Report2;
    if (reportForm && EnteredUnitCode == AllUnitsCode)
        EnteredUnitLevel = 0;
    else if (row >= 0)
        EnteredUnitLevel = codeGZDW.at(row).dj;

    if (m_form == UnitEntryForm::Notice) {
        ChildUnitCodes.clear();
        ChildUnitNames.clear();
        for (const TCodeStructure &unit : codeGZDW) {
            if (unit.sjbm == EnteredUnitCode) {
                ChildUnitCodes << unit.bm;
                ChildUnitNames << unit.mc;
            }
        }
    }
}

QString UnitCodeEntry::notFoundMessage()
{
    return QStringLiteral("以下情况导致输入错误:\n"
                          "1、代码库中没有您输入的单位代码！\n"
                          "2、您输入的工作单位编码有误！\n"
                          "请速和相关单位联系更新代码或检查后重新输入！");
}

QString UnitCodeEntry::confirmQuestion(const QString &name)
{
    return QStringLiteral("您选择的单位是“") + name + QStringLiteral("”，是否正确？");
}

UnitCodeEntry &unitCodeEntry(UnitEntryForm form)
{
    static UnitCodeEntry editor(UnitEntryForm::Editor);
    static UnitCodeEntry report(UnitEntryForm::Report);
    static UnitCodeEntry report2(UnitEntryForm::Report2);
    static UnitCodeEntry notice(UnitEntryForm::Notice);
    switch (form) {
    case UnitEntryForm::Editor: return editor;
    case UnitEntryForm::Report: return report;
    case UnitEntryForm::Report2: return report2;
    case UnitEntryForm::Notice: return notice;
    }
    return editor;
}

} // namespace kvam
