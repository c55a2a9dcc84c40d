#include "edit/gui/untGrxx.h"

#include "app/ProgramDate.h"
#include "app/untGlobal.h"
#include "edit/PersonSave.h"
#include "edit/PhotoImage.h"
#include "edit/UnitCodeEntry.h"
#include "edit/gui/CodedEdit.h"
#include "edit/gui/MonthYearPicker.h"
#include "edit/gui/PhotoBox.h"
#include "edit/gui/UnitCodeEdit.h"
#include "edit/gui/untPersonInfoAddon.h"
#include "platform/Ui.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kvam {

namespace {

QLineEdit *lineEdit(const char *name, int maxLength = 0)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit *codedEdit(const char *name, int kind)
{
    QLineEdit *edit = lineEdit(name);
    attachCodedEdit(edit, kind);
    return edit;
}

// Rows of label and control pairs, two pairs to a row.
class FieldGrid {
public:
    explicit FieldGrid(QGridLayout *grid) : m_grid(grid)
    {
        m_grid->setColumnStretch(1, 1);
        m_grid->setColumnStretch(3, 1);
    }
    void add(const char *label, QWidget *control, int span = 1)
    {
        if (m_column + span > 2) {
            ++m_row;
            m_column = 0;
        }
        m_grid->addWidget(new QLabel(QString::fromUtf8(label)), m_row, m_column * 2);
        m_grid->addWidget(control, m_row, m_column * 2 + 1, 1, span * 2 - 1);
        m_column += span;
    }

private:
    QGridLayout *m_grid;
    int m_row = 0;
    int m_column = 0;
};

bool isLeavingFocus(QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The characters a phone field takes besides digits: copy, backspace, paste, cut.
bool isPhoneCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == 3 || u == 8 || u == 22 || u == 24;
}

} // namespace

TfrmGrxx::TfrmGrxx(QSqlDatabase db, TfrmPersonInfoAddon &wizard, QWidget *parent)
    : TaggedDialog(parent), m_db(db), m_wizard(wizard)
{
    setObjectName(QStringLiteral("frmGrxx"));
    setWindowTitle(QStringLiteral("个人信息编辑"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    buildForm();
}

void TfrmGrxx::buildForm()
{
    m_edtXM = lineEdit("edtXM", 8);
    m_rdgXB = new QGroupBox;
    m_rdgXB->setObjectName(QStringLiteral("rdgXB"));
    m_xb = new QButtonGroup(this);
    auto *xbLayout = new QHBoxLayout(m_rdgXB);
    xbLayout->setContentsMargins(4, 0, 4, 0);
    for (int i = 0; i < 2; ++i) {
        auto *button = new QRadioButton(i == 0 ? QStringLiteral("男") : QStringLiteral("女"));
        button->setObjectName(i == 0 ? QStringLiteral("rdgXB_0") : QStringLiteral("rdgXB_1"));
        m_xb->addButton(button, i);
        xbLayout->addWidget(button);
    }
    m_xb->button(0)->setChecked(true);
    m_edtMZ = codedEdit("edtMZ", 1);
    m_edtZJLX = codedEdit("edtZJLX", 3);
    m_edtZJHM = lineEdit("edtZJHM", 18);
    m_mskCSRQ = new QDateEdit;
    m_mskCSRQ->setObjectName(QStringLiteral("mskCSRQ"));
    m_mskCSRQ->setDisplayFormat(ProgramDateFormat);
    m_edtZZMM = codedEdit("edtZZMM", 2);

    QFrame *pnlFirstBYSJ = nullptr, *pnlLastBYSJ = nullptr, *pnlCJGZSJ = nullptr;
    m_edtFirstXL = codedEdit("edtFirstXL", 4);
    m_edtFirstXW = codedEdit("edtFirstXW", 5);
    m_mskFirstBYSJ = makeMonthYearPicker(this, QStringLiteral("mskFirstBYSJ"), QStringLiteral("pnlFirstBYSJ"),
                                         &pnlFirstBYSJ);
    m_edtfirstSXZY = codedEdit("edtfirstSXZY", 6);
    m_edtFirstBYYX = lineEdit("edtFirstBYYX", 50);
    m_edtFirstZSHM = lineEdit("edtFirstZSHM", 30);
    m_edtLastXL = codedEdit("edtLastXL", 4);
    m_edtLastXW = codedEdit("edtLastXW", 5);
    m_mskLastBYSJ = makeMonthYearPicker(this, QStringLiteral("mskLastBYSJ"), QStringLiteral("pnlLastBYSJ"),
                                        &pnlLastBYSJ);
    m_edtLastSXZY = codedEdit("edtLastSXZY", 106);
    m_edtLastBYYX = lineEdit("edtLastBYYX", 50);
    m_edtLastZSHM = lineEdit("edtLastZSHM", 30);
    m_edtGZDW = lineEdit("edtGZDW");
    m_mskCJGZSJ = makeMonthYearPicker(this, QStringLiteral("mskCJGZSJ"), QStringLiteral("pnlCJGZSJ"), &pnlCJGZSJ);
    m_edtDWXZ = codedEdit("edtDWXZ", 8);
    m_edtCSZY = codedEdit("edtCSZY", 9);
    const char *phoneNames[] = {"edtDH1", "edtDH2", "edtDH3", "edtDH4"};
    for (int i = 0; i < 4; ++i)
        m_edtDH[i] = lineEdit(phoneNames[i], 15);
    m_memBZ = new QPlainTextEdit;
    m_memBZ->setObjectName(QStringLiteral("memBZ"));
    m_memBZ->setFixedHeight(60);
    m_imgGRZP = new PhotoBox;
    m_imgGRZP->setObjectName(QStringLiteral("imgGRZP"));
    m_imgZJZP = new PhotoBox;
    m_imgZJZP->setObjectName(QStringLiteral("imgZJZP"));
    m_btnAddNew = new QPushButton(QStringLiteral("新增"));
    m_btnAddNew->setObjectName(QStringLiteral("btnAddNew"));
    m_btnSave = new QPushButton(QStringLiteral("保存"));
    m_btnSave->setObjectName(QStringLiteral("btnSave"));
    m_btnEdit = new QPushButton(QStringLiteral("修改"));
    m_btnEdit->setObjectName(QStringLiteral("btnEdit"));
    m_chkSameAsAbove = new QCheckBox(QStringLiteral("最高学历同第一学历"));
    m_chkSameAsAbove->setObjectName(QStringLiteral("chkSameAsAbove"));

    // Layout: the fields in groups on the left, the photos on the right.
    auto *content = new QWidget;
    auto *columns = new QHBoxLayout(content);
    auto *left = new QVBoxLayout;
    columns->addLayout(left, 1);
    auto group = [left](const char *title) {
        auto *box = new QGroupBox(QString::fromUtf8(title));
        left->addWidget(box);
        return FieldGrid(new QGridLayout(box));
    };
    FieldGrid person = group("基本情况");
    person.add("姓名", m_edtXM);
    person.add("性别", m_rdgXB);
    person.add("民族", m_edtMZ);
    person.add("证件类型", m_edtZJLX);
    person.add("证件号码", m_edtZJHM);
    person.add("出生日期", m_mskCSRQ);
    person.add("政治面貌", m_edtZZMM);
    FieldGrid first = group("第一学历");
    first.add("第一学历", m_edtFirstXL);
    first.add("第一学历学位", m_edtFirstXW);
    first.add("第一学历毕业时间", pnlFirstBYSJ);
    first.add("第一学历所学专业", m_edtfirstSXZY);
    first.add("第一学历毕业院校", m_edtFirstBYYX);
    first.add("第一学历证书号码", m_edtFirstZSHM);
    left->addWidget(m_chkSameAsAbove);
    FieldGrid last = group("最高学历");
    last.add("最高学历", m_edtLastXL);
    last.add("最高学历学位", m_edtLastXW);
    last.add("最高学历毕业时间", pnlLastBYSJ);
    last.add("最高学历所学专业", m_edtLastSXZY);
    last.add("最高学历毕业院校", m_edtLastBYYX);
    last.add("最高学历证书号码", m_edtLastZSHM);
    FieldGrid work = group("工作情况");
    work.add("工作单位", m_edtGZDW, 2);
    work.add("参加工作时间", pnlCJGZSJ);
    work.add("单位性质", m_edtDWXZ);
    work.add("从事专业", m_edtCSZY);
    work.add("固定电话", m_edtDH[0]);
    work.add("手机", m_edtDH[1]);
    work.add("备用固定电话", m_edtDH[2]);
    work.add("备用手机", m_edtDH[3]);
    work.add("备注", m_memBZ, 2);
    left->addStretch();

    auto *right = new QVBoxLayout;
    columns->addLayout(right);
    for (auto [title, box] : {std::pair{"个人照片", m_imgGRZP}, std::pair{"证件照片", m_imgZJZP}}) {
        auto *frame = new QGroupBox(QString::fromUtf8(title));
        auto *inside = new QVBoxLayout(frame);
        box->setFixedSize(150, 200);
        inside->addWidget(box);
        right->addWidget(frame);
    }
    right->addStretch();
    for (QPushButton *button : {m_btnAddNew, m_btnSave, m_btnEdit}) {
        button->setAutoDefault(false);
        right->addWidget(button);
    }

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(800, 581);

    QWidget *order[] = {m_edtXM,        m_xb->button(0), m_xb->button(1), m_edtMZ,       m_edtZJLX,
                        m_edtZJHM,      m_mskCSRQ,       m_edtZZMM,       m_edtFirstXL,  m_edtFirstXW,
                        m_mskFirstBYSJ, m_edtfirstSXZY,  m_edtFirstBYYX,  m_edtFirstZSHM, m_edtLastXL,
                        m_edtLastXW,    m_mskLastBYSJ,   m_edtLastSXZY,   m_edtLastBYYX, m_edtLastZSHM,
                        m_edtGZDW,      m_mskCJGZSJ,     m_edtDWXZ,       m_edtCSZY,     m_edtDH[0],
                        m_edtDH[1],     m_edtDH[2],      m_edtDH[3],      m_memBZ,       m_btnAddNew,
                        m_btnSave,      m_btnEdit,       m_chkSameAsAbove};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    m_unitEntry = new UnitCodeEdit(m_edtGZDW, unitCodeEntry(UnitEntryForm::Editor));
    m_edtXM->installEventFilter(this);
    m_edtZJHM->installEventFilter(this);
    for (QLineEdit *phone : m_edtDH)
        phone->installEventFilter(this);

    connect(m_btnAddNew, &QPushButton::clicked, this, &TfrmGrxx::btnAddNewClick);
    connect(m_btnEdit, &QPushButton::clicked, this, &TfrmGrxx::btnEditClick);
    connect(m_btnSave, &QPushButton::clicked, this, &TfrmGrxx::btnSaveClick);
    connect(m_chkSameAsAbove, &QCheckBox::clicked, this, &TfrmGrxx::chkSameAsAboveClick);
    connect(m_imgGRZP, &PhotoBox::doubleClicked, this, &TfrmGrxx::imgGRZPDblClick);
    connect(m_imgZJZP, &PhotoBox::doubleClicked, this, &TfrmGrxx::imgZJZPDblClick);
}

void TfrmGrxx::showEvent(QShowEvent *event)
{
    TaggedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmGrxx::FormShow()
{
    SetEditComponentControlStauts(false);
    EditMode = CurGrxx.z_zjhm.isEmpty() ? 0 : 1;
    OldZjhm = CurGrxx.z_zjhm;
    InitAllEdit(EditMode);
    setTag(0);
}

void TfrmGrxx::SetEditComponentControlStauts(bool enabled)
{
    const QList<QWidget *> controls = {
        m_edtXM,        m_rdgXB,        m_edtMZ,        m_edtZJLX,     m_edtZJHM,      m_mskCSRQ,
        m_edtZZMM,      m_edtFirstXL,   m_edtFirstXW,   m_mskFirstBYSJ, m_edtfirstSXZY, m_edtFirstBYYX,
        m_edtFirstZSHM, m_edtLastXL,    m_edtLastXW,    m_mskLastBYSJ, m_edtLastSXZY,  m_edtLastBYYX,
        m_edtLastZSHM,  m_edtGZDW,      m_mskCJGZSJ,    m_edtDWXZ,     m_edtCSZY,      m_edtDH[0],
        m_edtDH[1],     m_edtDH[2],     m_edtDH[3],     m_memBZ,       m_imgGRZP,      m_imgZJZP,
        m_chkSameAsAbove};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

void TfrmGrxx::setDate(QDateEdit *edit, const QString &text, QStringList &faults)
{
    const QDate date = parseProgramDate(text);
    if (date.isValid()) {
        edit->setDate(date);
    } else {
        edit->setDate(DefaultDate);
        faults << QStringLiteral("“") + text + QStringLiteral("”不是有效的日期");
    }
}

void TfrmGrxx::InitAllEdit(int fill)
{
    if (fill == 1) {
        // A date that does not convert is reported, and the filling goes on:
        // stopping would leave the previous person's values in the controls
        // that follow, and a save would store them for this person.
        QStringList faults;
        const TGrxx &g = CurGrxx;
        m_edtXM->setText(g.z_xm);
        if (QAbstractButton *sex = m_xb->button(g.z_xb - 1))
            sex->setChecked(true);
        m_edtMZ->setText(GetCodeNameByInt(g.z_mz, codeMZ));
        m_edtZZMM->setText(GetCodeNameByInt(g.z_zzmm, codeZZMM));
        m_edtZJLX->setText(GetCodeNameByInt(g.z_zjlx, codeZJLX));
        m_edtZJHM->setText(g.z_zjhm);
        setDate(m_mskCSRQ, g.z_csrq, faults);
        m_imgGRZP->setPhoto(g.HasPersonalPhoto ? g.PersonalPhoto : QByteArray());
        m_imgZJZP->setPhoto(g.HasCertificatePhoto ? g.CertificatePhoto : QByteArray());
        m_edtFirstXL->setText(GetCodeNameByInt(g.z_first_xl, codeXL));
        m_edtFirstXW->setText(GetCodeNameByInt(g.z_first_xw, codeXW));
        setDate(m_mskFirstBYSJ, g.z_first_bysj, faults);
        m_edtFirstBYYX->setText(g.z_first_byyx);
        m_edtfirstSXZY->setText(GetCodeName(g.z_first_sxzy, codeSXZY));
        m_edtFirstZSHM->setText(g.z_first_zshm);
        m_edtLastXL->setText(GetCodeNameByInt(g.z_last_xl, codeXL));
        m_edtLastXW->setText(GetCodeNameByInt(g.z_last_xw, codeXW));
        setDate(m_mskLastBYSJ, g.z_last_bysj, faults);
        m_edtLastBYYX->setText(g.z_last_byyx);
        m_edtLastSXZY->setText(GetCodeName(g.z_last_sxzy, codeSXZY));
        m_edtLastZSHM->setText(g.z_last_zshm);
        m_edtGZDW->setText(GetCodeName(g.z_gzdw, codeGZDW));
        setDate(m_mskCJGZSJ, g.z_cjgzsj, faults);
        m_edtDWXZ->setText(GetCodeNameByInt(g.z_dwxz, codeDWXZ));
        m_edtCSZY->setText(GetCodeName(g.z_cszy, codeCSZY));
        const QString *phones[] = {&g.z_dh1, &g.z_dh2, &g.z_dh3, &g.z_dh4};
        for (int i = 0; i < 4; ++i)
            m_edtDH[i]->setText(*phones[i]);
        m_memBZ->setPlainText(g.z_bz);
        if (!faults.isEmpty())
            LogError(QStringLiteral("初始化个人信息编辑界面出错"), faults.join(QLatin1Char(' ')));
    } else if (fill == 0) {
        // The work unit stays: consecutive new records of one unit need no
        // re-entry.
        for (QLineEdit *edit : {m_edtXM, m_edtMZ, m_edtZJLX, m_edtZJHM, m_edtZZMM, m_edtFirstXL, m_edtFirstXW,
                                m_edtfirstSXZY, m_edtFirstBYYX, m_edtFirstZSHM, m_edtLastXL, m_edtLastXW,
                                m_edtLastSXZY, m_edtLastBYYX, m_edtLastZSHM, m_edtDWXZ, m_edtCSZY, m_edtDH[0],
                                m_edtDH[1], m_edtDH[2], m_edtDH[3]})
            edit->clear();
        for (QDateEdit *date : {m_mskCSRQ, m_mskFirstBYSJ, m_mskLastBYSJ, m_mskCJGZSJ})
            date->setDate(DefaultDate);
        m_memBZ->clear();
        m_imgGRZP->clear();
        m_imgZJZP->clear();
    }
    m_btnSave->setEnabled(false);
}

void TfrmGrxx::btnAddNewClick()
{
    EditMode = 0;
    InitAllEdit(0);
    SetEditComponentControlStauts(true);
    m_btnEdit->setEnabled(false);
    m_btnAddNew->setEnabled(false);
    m_btnSave->setEnabled(true);
    m_unitEntry->entry().UnitConfirmed = false;
    m_wizard.AddonMode = 0;
    m_wizard.exec();
}

void TfrmGrxx::btnEditClick()
{
    EditMode = 1;
    SetEditComponentControlStauts(true);
    m_btnAddNew->setEnabled(false);
    m_btnEdit->setEnabled(false);
    m_btnSave->setEnabled(true);
    OldZjhm = m_edtZJHM->text();
    m_unitEntry->entry().UnitConfirmed = !m_edtGZDW->text().isEmpty();
    m_wizard.AddonMode = 1;
    m_wizard.exec();
}

PersonEntry TfrmGrxx::entry() const
{
    PersonEntry e;
    e.xm = m_edtXM->text();
    e.xbIndex = std::max(0, m_xb->checkedId());
    e.mz = m_edtMZ->text();
    e.zjlx = m_edtZJLX->text();
    e.zjhm = m_edtZJHM->text();
    e.csrq = m_mskCSRQ->date();
    e.zzmm = m_edtZZMM->text();
    e.personalPhoto = m_imgGRZP->photo();
    e.certificatePhoto = m_imgZJZP->photo();
    e.firstXl = m_edtFirstXL->text();
    e.firstXw = m_edtFirstXW->text();
    e.firstBysj = m_mskFirstBYSJ->date();
    e.firstSxzy = m_edtfirstSXZY->text();
    e.firstByyx = m_edtFirstBYYX->text();
    e.firstZshm = m_edtFirstZSHM->text();
    e.lastXl = m_edtLastXL->text();
    e.lastXw = m_edtLastXW->text();
    e.lastBysj = m_mskLastBYSJ->date();
    e.lastSxzy = m_edtLastSXZY->text();
    e.lastByyx = m_edtLastBYYX->text();
    e.lastZshm = m_edtLastZSHM->text();
    e.gzdw = m_edtGZDW->text();
    e.cjgzsj = m_mskCJGZSJ->date();
    e.dwxz = m_edtDWXZ->text();
    e.cszy = m_edtCSZY->text();
    e.dh1 = m_edtDH[0]->text();
    e.dh2 = m_edtDH[1]->text();
    e.dh3 = m_edtDH[2]->text();
    e.dh4 = m_edtDH[3]->text();
    e.bz = m_memBZ->toPlainText();
    return e;
}

void TfrmGrxx::btnSaveClick()
{
    m_btnSave->setEnabled(false);
    const PersonSave save = savePersonRecord(m_db, m_wizard.details(), entry(), EditMode, OldZjhm, CurGrxx);
    if (!save.check.ok()) {
        ui().message(save.check.message, save.check.caption, save.check.icon, MsgButtons::Ok);
        if (QWidget *control = findChild<QWidget *>(save.check.focus); control && !save.check.focus.isEmpty())
            control->setFocus();
        if (save.reopenWizard)
            m_wizard.exec();
        m_btnSave->setEnabled(true);
        return;
    }
    if (save.write.outcome == PersonWrite::Failed) {
        m_btnSave->setEnabled(true);
        LogError(save.logMessage, save.write.errorText);
    }
    m_btnAddNew->setEnabled(true);
    m_btnEdit->setEnabled(true);
    SetEditComponentControlStauts(false);
    setTag(1);
}

void TfrmGrxx::chkSameAsAboveClick()
{
    const bool same = m_chkSameAsAbove->isChecked();
    const std::pair<QLineEdit *, QLineEdit *> pairs[] = {{m_edtFirstXL, m_edtLastXL},
                                                         {m_edtFirstXW, m_edtLastXW},
                                                         {m_edtfirstSXZY, m_edtLastSXZY},
                                                         {m_edtFirstBYYX, m_edtLastBYYX},
                                                         {m_edtFirstZSHM, m_edtLastZSHM}};
    for (const auto &[from, to] : pairs)
        to->setText(same ? from->text() : QString());
    m_mskLastBYSJ->setDate(same ? m_mskFirstBYSJ->date() : DefaultDate);
}

void TfrmGrxx::choosePhoto(PhotoBox *box, QByteArray &photo, bool &hasPhoto)
{
    const QString file = ui().openFileName(QStringLiteral("图像文件(*.jpg)|*.jpg"));
    if (file.isEmpty())
        return;
    QString error;
    const QByteArray jpeg = readPhotoFile(file, &error);
    if (jpeg.isEmpty()) {
        showMessage(QStringLiteral("您选择的文件不是可以读取的图片，请重新选择"), QStringLiteral("提示"),
                    MsgIcon::Warning);
        return;
    }
    box->setPhoto(jpeg);
    photo = jpeg;
    hasPhoto = true;
}

void TfrmGrxx::imgGRZPDblClick() { choosePhoto(m_imgGRZP, CurGrxx.PersonalPhoto, CurGrxx.HasPersonalPhoto); }

void TfrmGrxx::imgZJZPDblClick()
{
    choosePhoto(m_imgZJZP, CurGrxx.CertificatePhoto, CurGrxx.HasCertificatePhoto);
}

void TfrmGrxx::edtZJHMExit()
{
    if (m_edtZJHM->text().isEmpty() || !isIdentityCard(m_edtZJLX->text()))
        return;
    const QString text = birthDateFromIdNumber(m_edtZJHM->text());
    const QDate date = QDate::fromString(text, ProgramDateFormat);
    if (date.isValid())
        m_mskCSRQ->setDate(date);
    else
        LogError(QStringLiteral("您输入的证件号码不能生成生日信息，请检查！"),
                 QStringLiteral("“") + text + QStringLiteral("”不是有效的日期"));
}

void TfrmGrxx::keyPressEvent(QKeyEvent *event)
{
    // The editor has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape)
        return;
    TaggedDialog::keyPressEvent(event);
}

bool TfrmGrxx::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edtZJHM && isLeavingFocus(event) && m_edtZJHM->isEnabled())
        edtZJHMExit();
    if (event->type() != QEvent::KeyPress)
        return TaggedDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_edtXM)
        return key->text() == QStringLiteral(" ");
    const bool phone = std::find(std::begin(m_edtDH), std::end(m_edtDH), watched) != std::end(m_edtDH);
    if (phone && !key->text().isEmpty() && key->key() != Qt::Key_Delete && key->key() != Qt::Key_Tab
        && key->key() != Qt::Key_Backtab && !isPhoneCharacter(key->text().at(0))) {
        ui().beep();
        return true;
    }
    return TaggedDialog::eventFilter(watched, event);
}

} // namespace kvam
