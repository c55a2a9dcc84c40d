#include "edit/gui/untPersonInfoAddon.h"

#include "app/ProgramDate.h"
#include "app/untGlobal.h"
#include "edit/PersonRecord.h"
#include "edit/gui/CodedEdit.h"
#include "edit/gui/MonthYearPicker.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kvam {

namespace {

QLineEdit *codedEdit(QFormLayout *form, const char *label, const char *name, int kind)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    attachCodedEdit(edit, kind);
    form->addRow(QString::fromUtf8(label), edit);
    return edit;
}

const char *const warnings[] = {"请选择申报种类!!!", "请正确选择成绩，舞弊者取消评审资格!!!"};

} // namespace

TfrmPersonInfoAddon::TfrmPersonInfoAddon(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPersonInfoAddon"));
    setWindowTitle(QStringLiteral("请填写以下信息"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(458, 252);

    m_pnlWarning = new QLabel(this);
    m_pnlWarning->setObjectName(QStringLiteral("pnlWarning"));
    m_pnlWarning->setAlignment(Qt::AlignCenter);
    QFont warningFont = m_pnlWarning->font();
    warningFont.setPointSize(14);
    m_pnlWarning->setFont(warningFont);
    m_pnlWarning->setStyleSheet(QStringLiteral("color: #ff0000;"));

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcAddon"));
    auto *tbsClass = new QWidget;
    tbsClass->setObjectName(QStringLiteral("tbsClass"));
    auto *classForm = new QFormLayout(tbsClass);
    m_edtZG = codedEdit(classForm, "申报资格", "edtZG", 10);
    m_edtDJ = codedEdit(classForm, "申报等级", "edtDJ", 21);
    m_edtZY = codedEdit(classForm, "申报专业", "edtZY", 109);
    auto *tbsScore = new QWidget;
    tbsScore->setObjectName(QStringLiteral("tbsScore"));
    auto *scoreForm = new QFormLayout(tbsScore);
    m_edtJSFS = codedEdit(scoreForm, "晋升方式", "edtJSFS", 22);
    m_edtJSJ = codedEdit(scoreForm, "计算机成绩", "edtJSJ", 23);
    m_edtWY = codedEdit(scoreForm, "外语成绩", "edtWY", 23);
    m_edtJSZG = codedEdit(scoreForm, "现任技术资格", "edtJSZG", 110);
    QFrame *panel = nullptr;
    m_mskZGSJ = makeMonthYearPicker(tbsScore, QStringLiteral("mskZGSJ"), QStringLiteral("pnlZGSJ"), &panel);
    scoreForm->addRow(QStringLiteral("获得时间"), panel);
    m_pages->addWidget(tbsClass);
    m_pages->addWidget(tbsScore);

    m_btnPreStep = new QPushButton(QStringLiteral("上一步"), this);
    m_btnPreStep->setObjectName(QStringLiteral("btnPreStep"));
    m_btnNextStep = new QPushButton(QStringLiteral("下一步"), this);
    m_btnNextStep->setObjectName(QStringLiteral("btnNextStep"));
    for (QPushButton *button : {m_btnPreStep, m_btnNextStep})
        button->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnPreStep);
    bottom->addWidget(m_btnNextStep);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pnlWarning);
    layout->addWidget(m_pages, 1);
    layout->addLayout(bottom);

    connect(m_btnNextStep, &QPushButton::clicked, this, &TfrmPersonInfoAddon::btnNextStepClick);
    connect(m_btnPreStep, &QPushButton::clicked, this, &TfrmPersonInfoAddon::btnPreStepClick);
}

void TfrmPersonInfoAddon::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmPersonInfoAddon::showPage(int page)
{
    m_pages->setCurrentIndex(page);
    // tbsClassShow hides "上一步", tbsScoreShow shows it.
    m_btnPreStep->setVisible(page == 1);
    m_pnlWarning->setText(QString::fromUtf8(warnings[page]));
}

void TfrmPersonInfoAddon::FormShow()
{
    CurrentPage = 0;
    showPage(0);
    fillEdits();
}

void TfrmPersonInfoAddon::fillEdits()
{
    if (AddonMode == 1) {
        m_edtZG->setText(GetCodeName(CurGrxx.z_sbzg, codeZYJSZG));
        m_edtDJ->setText(GetCodeNameByInt(CurGrxx.z_sbdj, codeSBJB));
        m_edtZY->setText(GetCodeName(CurGrxx.z_sbzy, codeCSZY));
        m_edtJSFS->setText(GetCodeNameByInt(CurGrxx.z_jsfs, codeJSFS));
        m_edtJSJ->setText(GetCodeNameByInt(CurGrxx.z_jsjcj, codeZCCJ));
        m_edtWY->setText(GetCodeNameByInt(CurGrxx.z_wycj, codeZCCJ));
        m_edtJSZG->setText(GetCodeName(CurGrxx.z_xrjszg, codeZYJSZG));
        const QDate date = parseProgramDate(CurGrxx.z_xrjszgsj);
        if (date.isValid())
            m_mskZGSJ->setDate(date);
        else
            LogError(QStringLiteral("初始化个人信息编辑界面出错"),
                     QStringLiteral("“") + CurGrxx.z_xrjszgsj + QStringLiteral("”不是有效的日期"));
    } else if (AddonMode == 0) {
        for (QLineEdit *edit : {m_edtZG, m_edtDJ, m_edtZY, m_edtJSFS, m_edtJSJ, m_edtWY, m_edtJSZG})
            edit->clear();
        m_mskZGSJ->setDate(DefaultDate);
    }
}

ApplicationDetails TfrmPersonInfoAddon::details() const
{
    return {m_edtZG->text(),  m_edtDJ->text(), m_edtZY->text(),   m_edtJSFS->text(),
            m_edtJSJ->text(), m_edtWY->text(), m_edtJSZG->text(), m_mskZGSJ->date()};
}

void TfrmPersonInfoAddon::btnNextStepClick()
{
    ++CurrentPage;
    if (CurrentPage < m_pages->count()) {
        showPage(CurrentPage);
        return;
    }
    CurrentPage = m_pages->count() - 1;
    const ApplicationDetails d = details();
    RecordCheck check = checkApplicationDetails(d);
    if (check.ok())
        check = takeApplicationDetails(d, CurGrxx);
    if (!check.ok()) {
        showMessage(check.message, check.caption, check.icon);
        return;
    }
    accept();
}

void TfrmPersonInfoAddon::btnPreStepClick()
{
    --CurrentPage;
    if (CurrentPage >= 0)
        showPage(CurrentPage);
}

} // namespace kvam
