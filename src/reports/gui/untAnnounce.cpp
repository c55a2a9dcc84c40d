#include "reports/gui/untAnnounce.h"

#include "data/CodeCache.h"
#include "edit/gui/UnitCodeEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace kvam {

namespace {

QListWidget *checkList(const QString &name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    return list;
}

QCheckBox *selectAllBox(const QString &name, QWidget *parent)
{
    auto *box = new QCheckBox(QStringLiteral("全选"), parent);
    box->setObjectName(name);
    return box;
}

void addUnticked(QListWidget *list, const QString &text)
{
    auto *item = new QListWidgetItem(text, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

void tickAll(QListWidget *list, bool ticked)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QList<NoticeItem> ticked(const QListWidget *list, const QStringList &codes)
{
    QList<NoticeItem> items;
    for (int i = 0; i < list->count() && i < codes.size(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            items << NoticeItem{codes.at(i), list->item(i)->text()};
    }
    return items;
}

// A list under its label, its 全选 box beside the label.
QWidget *labelledList(const QString &label, QCheckBox *selectAll, QListWidget *list, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(label, box), 0, 0);
    layout->addWidget(selectAll, 0, 1, Qt::AlignRight);
    layout->addWidget(list, 1, 0, 1, 2);
    return box;
}

} // namespace

TfrmAnnounce::TfrmAnnounce(QWidget *parent)
    : QDialog(parent), m_edtGZDW(new QLineEdit(this)), m_chklbUnit(checkList(QStringLiteral("chklbUnit"), this)),
      m_chklbLevel(checkList(QStringLiteral("chklbLevel"), this)),
      m_chklbSeries(checkList(QStringLiteral("chklbSeries"), this)),
      m_chkSelectAllUnit(selectAllBox(QStringLiteral("chkSelectAllUnit"), this)),
      m_chkSelectAllLevel(selectAllBox(QStringLiteral("chkSelectAllLevel"), this)),
      m_chkSelectAllSerie(selectAllBox(QStringLiteral("chkSelectAllSerie"), this)),
      m_btnExport(new QPushButton(QStringLiteral("生成通知"), this)),
      m_unitEdit(new UnitCodeEdit(m_edtGZDW, unitCodeEntry(UnitEntryForm::Notice), m_chklbUnit))
{
    setObjectName(QStringLiteral("frmAnnounce"));
    setWindowTitle(QStringLiteral("发文通知选项"));
    m_edtGZDW->setObjectName(QStringLiteral("edtGZDW"));
    m_edtGZDW->setMaxLength(16);
    m_btnExport->setObjectName(QStringLiteral("btnExport"));
    m_btnExport->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    auto *left = new QWidget(this);
    auto *leftLayout = new QGridLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("请输入主管单位编码"), left), 0, 0);
    leftLayout->addWidget(m_edtGZDW, 1, 0);
    leftLayout->addWidget(labelledList(QStringLiteral("请选择单位"), m_chkSelectAllUnit, m_chklbUnit, left), 2, 0);
    leftLayout->setRowStretch(2, 1);
    layout->addWidget(left, 0, 0, 2, 1);
    layout->addWidget(labelledList(QStringLiteral("请选择等级"), m_chkSelectAllLevel, m_chklbLevel, this), 0, 1);
    layout->addWidget(labelledList(QStringLiteral("请选择系列"), m_chkSelectAllSerie, m_chklbSeries, this), 1, 1);
    layout->addWidget(m_btnExport, 2, 0, 1, 2, Qt::AlignCenter);
    setFixedSize(560, 460);

    connect(m_chkSelectAllUnit, &QCheckBox::clicked, this, &TfrmAnnounce::chkSelectAllUnitClick);
    connect(m_chkSelectAllLevel, &QCheckBox::clicked, this, &TfrmAnnounce::chkSelectAllLevelClick);
    connect(m_chkSelectAllSerie, &QCheckBox::clicked, this, &TfrmAnnounce::chkSelectAllSerieClick);
    connect(m_btnExport, &QPushButton::clicked, this, &TfrmAnnounce::btnExportClick);
}

void TfrmAnnounce::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
    QDialog::showEvent(event);
}

void TfrmAnnounce::FormShow()
{
    m_chklbLevel->clear();
    m_levelCodes.clear();
    for (const TCodeStructure &level : codeSBJB) {
        addUnticked(m_chklbLevel, level.mc);
        m_levelCodes << level.bm;
    }
    m_chklbSeries->clear();
    m_seriesCodes.clear();
    for (const TCodeStructure &series : codeZYJSXL) {
        if (series.dj != 1)
            continue;
        addUnticked(m_chklbSeries, series.mc);
        m_seriesCodes << series.bm;
    }
}

void TfrmAnnounce::chkSelectAllUnitClick() { tickAll(m_chklbUnit, m_chkSelectAllUnit->isChecked()); }

void TfrmAnnounce::chkSelectAllLevelClick() { tickAll(m_chklbLevel, m_chkSelectAllLevel->isChecked()); }

void TfrmAnnounce::chkSelectAllSerieClick() { tickAll(m_chklbSeries, m_chkSelectAllSerie->isChecked()); }

NoticeSelection TfrmAnnounce::selection() const
{
    const UnitCodeEntry &entry = m_unitEdit->entry();
    NoticeSelection chosen;
    chosen.unitLevel = entry.EnteredUnitLevel;
    chosen.units = ticked(m_chklbUnit, entry.ChildUnitCodes);
    chosen.levels = ticked(m_chklbLevel, m_levelCodes);
    chosen.series = ticked(m_chklbSeries, m_seriesCodes);
    return chosen;
}

void TfrmAnnounce::btnExportClick() { buildNotices(selection()); }

} // namespace kvam
